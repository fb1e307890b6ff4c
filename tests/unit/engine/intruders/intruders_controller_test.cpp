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

namespace {
constexpr char kOldLog[] =
    "Monday, March 05, 2001 09:05:07 - Unrecognized access from 203.0.113.5:1025 to TCP port 23\r\n"
    "Monday, March 05, 2001 10:15:00 - Unrecognized access from 203.0.113.5:1026 to UDP port 137\r\n";
constexpr char kUpdate[] =
    "Tuesday, March 06, 2001 08:00:00 - Unrecognized access from 192.0.2.44:80 to TCP port 8080\r\n"
    "Tuesday, March 06, 2001 08:00:01 - Unrecognized access from 203.0.113.5:9 to UDP port 53\r\n";

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
    const auto folder = std::filesystem::temp_directory_path() / "vorlane-intruders-test";
    std::filesystem::create_directories(folder);
    FakeSystem system;
    FakeDialog dialog, intrudersDialog;
    MonitorState state;
    AppSharedValues app;
    GatedFiles files;
    MonitorContext context{state, app, dialog, system, files};
    ShownIntrudersWindow window;
    IntrudersController intruders(context, intrudersDialog, window);
    std::ofstream(state.logFilePath = (folder / "router.log").string(), std::ios::binary) << kOldLog;
    dialog.SetChecked(IDC_SHORT_FORMAT, true);

    intruders.StartReadingRouterLog();
    std::ofstream(state.logFilePath, std::ios::binary | std::ios::app) << kUpdate;
    const UpdateAttempts attempts = intruders.RecordUpdate(kUpdate);
    files.gate.set_value();
    system.WaitForWorkers();
    intruders.Refresh();
    EXPECT_EQ(attempts.count, 2u);
    EXPECT_EQ(AddressText(attempts.latest->address), "203.0.113.5");
    EXPECT_EQ(intrudersDialog.GetText(IDC_INTRUDERS_MESSAGE), "2 addresses, 4 attempts");
    ASSERT_EQ(window.rows.size(), 2u);
    EXPECT_EQ(window.rows[0], (IntruderRowText{"203.0.113.5", "3", "2001/03/05 - 09:05", "2001/03/06 - 08:00", "UDP",
                                               "53"}));
    std::filesystem::remove_all(folder);
}
