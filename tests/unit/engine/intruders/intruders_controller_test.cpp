#include "intruders/intruders_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "local_files.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/silent_intruders_window.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
constexpr char kOldLog[] =
    "Monday, March 05, 2001 09:05:07 - Unrecognized access from 203.0.113.5:1025 to TCP port 23\r\n"
    "Monday, March 05, 2001 10:15:00 - Unrecognized access from 203.0.113.5:1026 to UDP port 137\r\n";
// 2001-03-06 08:00:00 UTC; 192.0.2.44 is 0xC000022C, 203.0.113.5 is 0xCB007105.
constexpr std::int32_t kMarch6th = 983865600;

// router.log, read only once the test opens the gate.
struct GatedFiles : LocalFiles {
    FileReadResult ReadFileInChunks(const std::string& path,
                                    const std::function<bool(std::string_view)>& reader) override {
        gate.get_future().wait();
        return LocalFiles::ReadFileInChunks(path, reader);
    }
    std::promise<void> gate;
};

// A shown window that keeps the rows it is given.
struct ShownIntrudersWindow : SilentIntrudersWindow {
    bool IsVisible() override { return true; }
    void ShowRows(std::vector<IntruderRowText> shown, const std::string&) override { rows = std::move(shown); }
    std::vector<IntruderRowText> rows;
};
}  // namespace

// An update that comes while router.log is read waits for the read, and its
// lines, by then in the file too, are not read again: each attempt counts
// once, and the update's last attempt stays the last.
TEST(IntrudersController, RouterLogThenUpdatesCountEachAttemptOnce) {
    const TimeZoneGuard zone("UTC0");
    const auto folder = std::filesystem::temp_directory_path() / "vorlane-intruders-test";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "router.log").string();
    std::ofstream(path, std::ios::binary) << kOldLog;
    FakeSystem system;
    FakeDialog intrudersDialog;
    GatedFiles files;
    Options options;
    options.dateFormat = DateFormat::Short;
    ShownIntrudersWindow window;
    IntrudersController intruders(intrudersDialog, window, system, files, options);
    int tableChanges = 0;
    intruders.SetTableListener([&] { ++tableChanges; });
    system.now = kMarch6th - 3600;  // March 6th, 07:00

    intruders.StartReadingRouterLog(path);
    std::ofstream(path, std::ios::binary | std::ios::app) << "the update's lines, in the file too\r\n";
    intruders.Record({{{0xC000022C, "TCP", "8080"}, kMarch6th}, {{0xCB007105, "UDP", "53"}, kMarch6th + 1}});
    intruders.Refresh();
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "Reading router.log...");
    files.gate.set_value();
    system.Settle();
    EXPECT_EQ(tableChanges, 2);
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "2 addresses, 4 attempts");
    EXPECT_EQ(intruders.AttemptsToday(), 2u);  // March 6th's, not router.log's of the 5th
    system.now = kMarch6th - 3600 * 12;
    EXPECT_EQ(intruders.AttemptsToday(), 2u);  // router.log's, at a restart on the 5th
    ASSERT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(window.rows[0], (IntruderRowText{"203.0.113.5", "3", "2001/03/05 - 09:05", "2001/03/06 - 08:00", "UDP",
                                               "53"}));
    std::filesystem::remove_all(folder);
}
