#include "intruders/intruders_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "alerts/alert_responder.h"
#include "local_files.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/recording_intruders_window.h"
#include "support/recording_tray.h"

namespace {

constexpr char kOldLog[] =
    "Monday, March 05, 2001 09:05:07 - Unrecognized access from 203.0.113.5:1025 to TCP port 23\r\n"
    "Monday, March 05, 2001 09:06:00 - PPPoE start to dial-up\r\n"
    "Monday, March 05, 2001 10:15:00 - Unrecognized access from 203.0.113.5:1026 to UDP port 137\r\n";
constexpr char kUpdate[] =
    "Tuesday, March 06, 2001 08:00:00 - Unrecognized access from 192.0.2.44:80 to TCP port 8080\r\n"
    "Tuesday, March 06, 2001 08:00:01 - Unrecognized access from 198.51.100.7:9 to UDP port 53\r\n";

// A router.log the program may not open.
struct LockedFiles : LocalFiles {
    FileReadResult ReadFileInChunks(const std::string&, const std::function<bool(std::string_view)>&) override {
        return {FileReadResult::Outcome::Unreadable, 32};
    }
};

class IntrudersTest : public testing::Test {
protected:
    IntrudersTest() {
        std::filesystem::create_directories(folder);
        std::ofstream(state.logFilePath = (folder / "router.log").string(), std::ios::binary) << kOldLog;
        dialog.SetChecked(IDC_LONG_FORMAT, true);
    }
    ~IntrudersTest() override {
        system.WaitForWorkers();
        std::filesystem::remove_all(folder);
    }
    std::vector<std::string> Column(std::size_t column) {
        std::vector<std::string> cells;
        for (const auto& row : window.rows) cells.push_back(row[column]);
        return cells;
    }

    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorlane-intruders-test";
    FakeSystem system;
    FakeDialog dialog, intrudersDialog;
    MonitorState state;
    AppSharedValues app;
    LocalFiles files;
    MonitorContext context{state, app, dialog, system, files};
    RecordingIntrudersWindow window;
    RecordingTray tray;
    IntrudersController intruders{context, intrudersDialog, window};
    AlertResponder alerts{context, tray, intruders};
};

}  // namespace

TEST_F(IntrudersTest, TableFromRouterLogAndUpdatesCountsEachAttemptOnce) {
    intruders.StartReadingRouterLog();
    // Lines appended after the start come as an update, whether the read has
    // reached the end of the file yet or not.
    std::ofstream(state.logFilePath, std::ios::binary | std::ios::app) << kUpdate;
    alerts.RaiseIntrusionAlerts(kUpdate);
    system.WaitForWorkers();
    intruders.Open();
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "3 addresses, 4 attempts");
    ASSERT_EQ(window.rows.size(), 3u);
    EXPECT_EQ(window.rows[0], (IntruderRowText{"203.0.113.5", "2", "Monday, March 05, 2001 09:05:07",
                                               "Monday, March 05, 2001 10:15:00", "UDP", "137"}));
    // The pop-up names the latest attempt; a second click on a column turns its order round.
    EXPECT_EQ(tray.balloons, std::vector<std::string>{"Intrusion attempt|198.51.100.7, UDP port 53 and 1 more"});
    intruders.OnColumnClick(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"192.0.2.44", "198.51.100.7", "203.0.113.5"}));
    intruders.OnColumnClick(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"203.0.113.5", "198.51.100.7", "192.0.2.44"}));
    window.selected = "192.0.2.44";
    intruders.CopySelectedAddress();
    EXPECT_EQ(system.clipboard, "192.0.2.44");

    state.popupOnIntrusion = false;
    alerts.RaiseIntrusionAlerts(kUpdate);
    EXPECT_EQ(tray.balloons.size(), 1u);
}

TEST_F(IntrudersTest, UnreadableOrMissingRouterLogLeavesTheTableEmptyWithTheReason) {
    LockedFiles locked;
    MonitorContext lockedContext{state, app, dialog, system, locked};
    IntrudersController lockedIntruders{lockedContext, intrudersDialog, window};
    lockedIntruders.StartReadingRouterLog();
    system.WaitForWorkers();
    lockedIntruders.Open();
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "Cannot read router.log: system text 32");
    EXPECT_TRUE(window.rows.empty());

    std::filesystem::remove(state.logFilePath);
    intruders.StartReadingRouterLog();
    system.WaitForWorkers();
    intruders.Open();
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "No intrusion attempts recorded");
}
