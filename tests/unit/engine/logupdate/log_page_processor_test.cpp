#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "logupdate/log_file_path.h"
#include "logupdate/log_page_processor.h"
#include "resource_ids.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "unit/text/logpage/log_page_builder.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace fs = std::filesystem;

namespace {
// 2001-03-05 09:05:07 UTC
constexpr std::int32_t R = 983783107;
const std::string EmptyNotice = "*** (empty) ***";
const std::string LineA = "2001/03/05 - 09:04 - Event A\r\n";
const std::string LineB = "2001/03/05 - 09:04 - Event B\r\n";
const std::string IntrusionLine = "2001/03/05 - 09:05 - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n";
const std::string PageAB = L2(60000, "Event A") + L2(30000, "Event B");
const std::string IntrusionCall = L2(5000, "Unrecognized access from 10.1.2.3:1025 to TCP port 80");

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Records each call with what it could see then: the screen at an alert,
// router.log at a launch.
struct RecordingAlerts : IntrusionAlerts {
    RecordingAlerts(FakeDialog& dialog, MonitorState& state) : dialog(dialog), state(state) {}
    void RaiseIntrusionAlerts(const std::string& text) override {
        calls.push_back("alert");
        seen.push_back(text + "|" + dialog.GetText(IDC_LOG_SCREEN));
    }
    void LaunchExternalProgram() override {
        calls.push_back("launch");
        seen.push_back(ReadFile(state.logFilePath));
    }
    FakeDialog& dialog;
    MonitorState& state;
    std::vector<std::string> calls, seen;
};

using Texts = std::vector<std::string>;
}  // namespace

class LogPageProcessor : public ::testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder = fs::temp_directory_path() / ("vorlane-logproc-" + std::to_string(stamp));
        fs::create_directories(folder);
        system.executablePath = (folder / "Vorlane.exe").string();
        BuildLogFilePath(context);
        state.referenceTime = R;
        dialog.SetChecked(IDC_SHORT_FORMAT, true);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void Process(const std::string& calls) { ProcessLogPage(context, LogPage(calls), alerts); }
    void ShowOnScreen(const std::string& text) {
        dialog.SetText(IDC_LOG_SCREEN, text);
        dialog.ClearHistory();
    }
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }
    std::string LogFile() { return ReadFile(state.logFilePath); }

    TimeZoneGuard zone{"UTC0"};
    FakeDialog dialog;
    FakeSystem system;
    MonitorState state;
    AppSharedValues app;
    LocalFiles files;
    MonitorContext context{state, app, dialog, system, files};
    RecordingAlerts alerts{dialog, state};
    fs::path folder;
};

TEST_F(LogPageProcessor, ScreenIsEmptiedPastItsLimitAndNewLinesReplaceANotice) {
    ShowOnScreen(std::string(30000, 'x'));
    Process("");
    EXPECT_TRUE(dialog.TextHistory(IDC_LOG_SCREEN).empty());
    ShowOnScreen(std::string(30001, 'x'));
    Process("");
    EXPECT_EQ(dialog.TextHistory(IDC_LOG_SCREEN), (Texts{"", EmptyNotice}));

    ShowOnScreen(EmptyNotice);
    Process(PageAB);
    EXPECT_EQ(Screen(), LineA + LineB);
    EXPECT_EQ(dialog.Scrolls(), (std::vector<std::pair<int, int>>{{IDC_LOG_SCREEN, 999999}}));
    EXPECT_EQ(state.lastParagraph.Get(), LineA + LineB);
    EXPECT_EQ(state.lastDate, R - 30);
    EXPECT_FALSE(fs::exists(state.logFilePath));

    Process(PageAB + L2(0, "Event C"));
    EXPECT_EQ(Screen(), LineA + LineB + "2001/03/05 - 09:05 - Event C\r\n");
    EXPECT_EQ(state.lastParagraph.Get(), "2001/03/05 - 09:05 - Event C\r\n");
}

TEST_F(LogPageProcessor, AlertsAndLaunchFollowOnlyUpdatesThatAddLines) {
    ShowOnScreen(EmptyNotice);
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_AUTO_LAUNCH, true);
    Process(L2(60000, "Event A") + IntrusionCall);
    EXPECT_EQ(alerts.calls, (Texts{"alert", "launch"}));
    const std::string shown = LineA + IntrusionLine;
    EXPECT_EQ(alerts.seen, (Texts{shown + "|" + shown, shown}));

    // A page with nothing new changes nothing and calls nothing.
    dialog.ClearHistory();
    alerts.calls.clear();
    Process(L2(60000, "Event A") + IntrusionCall + L1("detail"));
    EXPECT_TRUE(dialog.TextHistory(IDC_LOG_SCREEN).empty());
    EXPECT_EQ(LogFile(), LineA + IntrusionLine);
    EXPECT_TRUE(alerts.calls.empty());

    // Without an intrusion only the launch follows.
    Process(L2(0, "Event C"));
    EXPECT_EQ(alerts.calls, (Texts{"launch"}));
}

TEST_F(LogPageProcessor, RolledLogIsSaidOnceAndPassesTheIntrusionFilter) {
    const std::string Missed = "*** Entries between 2001/03/05 - 09:04 and 2001/03/05 - 09:06 may be missing: the "
                               "router's log no longer holds them\r\n";
    ShowOnScreen("");
    dialog.SetChecked(IDC_REMEMBER_DATE, true);
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_AUTO_LAUNCH, true);
    // A remembered time older than the router's log is normal on the first page.
    state.lastDate = R - 1000;
    Process(PageAB);
    EXPECT_EQ(Screen(), LineA + LineB);
    // A refusal in between leaves what the previous page held.
    ProcessLogPage(context, "HTTP/1.0 401 Authorization Required\r\n\r\n", alerts);

    state.referenceTime = R + 100;
    dialog.SetChecked(IDC_ONLY_INTRUSION, true);
    alerts.calls.clear();
    Process(L2(40000, "Event C"));
    EXPECT_EQ(Screen(), Missed);
    EXPECT_EQ(LogFile(), LineA + LineB + Missed);
    EXPECT_TRUE(alerts.calls.empty());
}

TEST_F(LogPageProcessor, FileIsAppendedWithTheGmtSuffixOnTimedLines) {
    std::ofstream(state.logFilePath, std::ios::binary) << "earlier\r\n";
    ShowOnScreen("");
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_LOG_GMT, true);
    Process(L2(60000, "Event A") + L1("detail"));
    EXPECT_EQ(Screen(), LineA + "detail\r\n");
    EXPECT_EQ(LogFile(), "earlier\r\n2001/03/05 - 09:04 - Event A ( 2001/03/05 - 09:04:07 GMT )\r\ndetail\r\n");
}
