#include "intruders/intruders_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <random>

#include "local_files.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/scripted_files.h"
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

// A shown window that keeps what it is given; the test picks the row selected.
struct ShownIntrudersWindow : SilentIntrudersWindow {
    bool IsVisible() override { return true; }
    void ShowRows(std::vector<IntruderRowText> shown, const std::string&) override { rows = std::move(shown); }
    std::string SelectedAddress() override { return selected; }
    void ShowChart(const AttemptChart& shown, DateFormat) override { chart = shown.Counts(); }
    void ShowIgnoredEntries(const std::vector<std::string>& entries) override { ignored = entries; }
    std::vector<IntruderRowText> rows;
    std::string selected;
    DayCounts chart{};
    std::vector<std::string> ignored;
};

// The controller with fake ports, router.log held by Files.
template <class Files>
struct Scene {
    FakeSystem system;
    FakeDialog dialog;
    Files files;
    Options options;
    ShownIntrudersWindow window;
    IntrudersController intruders{dialog, window, system, files, options};
};
}  // namespace

// An update that comes while router.log is read waits for the read, and its
// lines, by then in the file too, are not read again: each attempt counts
// once, and the update's last attempt stays the last.
TEST(IntrudersController, RouterLogThenUpdatesCountEachAttemptOnce) {
    const TimeZoneGuard zone("UTC0");
    // A name of its own for each run: other test runs may share the folder.
    const auto folder =
        std::filesystem::temp_directory_path() / ("vorlane-intruders-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "router.log").string();
    std::ofstream(path, std::ios::binary) << kOldLog;
    Scene<GatedFiles> scene;
    auto& [system, intrudersDialog, files, options, window, intruders] = scene;
    options.dateFormat = DateFormat::Short;
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
    // Shown at March 6th, 07:00: the two of the 5th in the last 24 hours; the
    // days count whole, today's later attempt among them.
    EXPECT_EQ(window.rows[0], (IntruderRowText{"203.0.113.5", "3", "2001/03/05 - 09:05", "2001/03/06 - 08:00", "UDP",
                                               "53", "2", "3", "3", ""}));
    std::filesystem::remove_all(folder);
}

TEST(IntrudersController, IgnoreWatchAgainTheChartOfTheSelectionAndTheSavedTable) {
    const TimeZoneGuard zone("UTC0");
    Scene<ScriptedFiles> scene;
    auto& [system, dialog, files, options, window, intruders] = scene;
    system.now = kMarch6th + 3600;
    options.dateFormat = DateFormat::Windows;
    intruders.Record({{{0xC000022C, "TCP", "8080"}, kMarch6th},
                      {{0xCB007105, "UDP", "53"}, kMarch6th - 86400},
                      {{0xCB007105, "UDP", "53"}, kMarch6th}});
    intruders.Open();
    DayCounts all{}, selected{};
    all[28] = 1, all[29] = 2, selected[28] = 1, selected[29] = 1;
    EXPECT_EQ(window.chart, all);
    EXPECT_EQ(dialog.GetText(IDC_INTRUDERS_CHART_TITLE), "Attempts per day, last 30 days: all addresses");

    window.selected = "203.0.113.5";
    intruders.OnSelectionChanged();
    EXPECT_EQ(window.chart, selected);
    EXPECT_EQ(dialog.GetText(IDC_INTRUDERS_CHART_TITLE), "Attempts per day, last 30 days: 203.0.113.5");
    intruders.OnCommand(IDC_INTRUDERS_IGNORE, ControlEvent::Clicked, options);
    EXPECT_EQ(window.ignored, std::vector<std::string>{"203.0.113.5"});
    EXPECT_EQ(dialog.GetText(IDC_INTRUDERS_MESSAGE), "2 addresses, 3 attempts, 1 ignored");
    EXPECT_EQ(dialog.GetText(IDC_INTRUDERS_IGNORE), "Watch again");
    // Watching it again would leave the whole block: asked, and answered No.
    options.ignoredAddresses.Add("203.0.113.0/24");
    intruders.OnCommand(IDC_INTRUDERS_IGNORE, ControlEvent::Clicked, options);
    EXPECT_EQ(options.ignoredAddresses.Size(), 2u);
    ASSERT_EQ(dialog.Messages().size(), 1u);
    EXPECT_NE(dialog.Messages()[0].find("203.0.113.0/24"), std::string::npos);

    // A typed block that is none is refused and said so; the minutes box keeps its last number.
    dialog.SetText(IDC_INTRUDERS_IGNORE_BOX, "203.0.113.0/33");
    intruders.OnCommand(IDC_INTRUDERS_IGNORE_ADD, ControlEvent::Clicked, options);
    EXPECT_EQ(options.ignoredAddresses.Size(), 2u);
    EXPECT_EQ(dialog.Messages().size(), 2u);
    dialog.SetText(IDC_INTRUDERS_QUIET_MINUTES, "30");
    dialog.SetChecked(IDC_INTRUDERS_QUIET, true);
    intruders.OnCommand(IDC_INTRUDERS_QUIET, ControlEvent::Clicked, options);
    dialog.SetText(IDC_INTRUDERS_QUIET_MINUTES, "");
    intruders.OnCommand(IDC_INTRUDERS_QUIET_MINUTES, ControlEvent::TextChanged, options);
    EXPECT_EQ(options.quietRepeatMinutes, 30u);
    dialog.SetChecked(IDC_INTRUDERS_QUIET, false);
    intruders.OnCommand(IDC_INTRUDERS_QUIET, ControlEvent::Clicked, options);
    EXPECT_EQ(options.quietRepeatMinutes, kQuietRepeatOff);

    system.savePath = "C:\\intruders.csv";
    intruders.OnCommand(IDC_INTRUDERS_SAVE_CSV, ControlEvent::Clicked, options);
    EXPECT_EQ(files.written[*system.savePath],
              "\xEF\xBB\xBF"
              "Address,Attempts,First seen,Last seen,Protocol,Port,Last 24 h,Last 7 days,Last 30 days,Ignored\r\n"
              "203.0.113.5,2,\"March 05, 2001, 08:00:00 AM\",\"March 06, 2001, 08:00:00 AM\",UDP,53,1,2,2,yes\r\n"
              "192.0.2.44,1,\"March 06, 2001, 08:00:00 AM\",\"March 06, 2001, 08:00:00 AM\",TCP,8080,1,1,1,\r\n");
}

TEST(IntrudersController, TheSummarySaysWhenAddressesMadeRoom) {
    Scene<ScriptedFiles> scene;
    std::vector<ReportedAttempt> attempts;
    for (std::uint32_t address = 0; address <= kMaxIntruderAddresses; ++address) {
        attempts.push_back({{address, "", ""}, std::nullopt});
    }
    scene.intruders.Record(attempts);
    scene.intruders.Open();
    // So many are taken in over several steps of the GUI thread.
    EXPECT_NE(scene.dialog.GetText(IDC_INTRUDERS_MESSAGE).substr(0, 16), "100000 addresses");
    scene.system.Settle();
    EXPECT_EQ(scene.dialog.GetText(IDC_INTRUDERS_MESSAGE),
              "100000 addresses, 100000 attempts; 1 address seen least recently made room (the table keeps 100000)");
}
