#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "logupdate/log_file_path.h"
#include "logupdate/log_options.h"
#include "logupdate/log_page_processor.h"
#include "logupdate/log_publisher.h"
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
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Records each call with what it could see then: the screen for the alerts,
// router.log for the launch.
class RecordingAlerts : public IntrusionAlerts {
public:
    RecordingAlerts(FakeDialog& dialog, MonitorState& state) : dialog_(dialog), state_(state) {}
    void RaiseIntrusionAlerts(const std::string& displayText) override {
        calls.push_back("alert");
        alertTexts.push_back(displayText);
        screenAtAlert = dialog_.GetText(IDC_LOG_SCREEN);
    }
    void LaunchExternalProgram() override {
        calls.push_back("launch");
        fileAtLaunch = ReadFile(state_.logFilePath);
    }

    std::vector<std::string> calls;
    std::vector<std::string> alertTexts;
    std::string screenAtAlert;
    std::string fileAtLaunch;

private:
    FakeDialog& dialog_;
    MonitorState& state_;
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

TEST_F(LogPageProcessor, ScreenIsEmptiedOnlyPastItsLimit) {
    ShowOnScreen(std::string(30000, 'x'));
    Process("");
    EXPECT_TRUE(dialog.TextHistory(IDC_LOG_SCREEN).empty());

    ShowOnScreen(std::string(30001, 'x'));
    Process("");
    EXPECT_EQ(dialog.TextHistory(IDC_LOG_SCREEN), (Texts{"", EmptyNotice}));
}

TEST_F(LogPageProcessor, NewLinesReplaceANoticeThenExtendTheScreen) {
    ShowOnScreen(EmptyNotice);
    Process(PageAB);
    EXPECT_EQ(Screen(), LineA + LineB);
    EXPECT_EQ(dialog.Scrolls(), (std::vector<std::pair<int, int>>{{IDC_LOG_SCREEN, 999999}}));
    EXPECT_EQ(state.lastParagraph.Get(), LineA + LineB);
    EXPECT_EQ(state.lastDate, R - 30);
    EXPECT_EQ(app.wanType.Get(), "PPPoE");
    EXPECT_FALSE(fs::exists(state.logFilePath));

    Process(PageAB + L2(0, "Event C"));
    EXPECT_EQ(Screen(), LineA + LineB + "2001/03/05 - 09:05 - Event C\r\n");
    EXPECT_EQ(state.lastParagraph.Get(), "2001/03/05 - 09:05 - Event C\r\n");
}

TEST_F(LogPageProcessor, RefusalShowsTheNoticeAndTheNextUpdateShowsTheWholeLog) {
    ShowOnScreen(LineA);
    app.wanType.Set("Cable");
    state.lastDate = R;
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    ProcessLogPage(context, "HTTP/1.0 401 Authorization Required\r\n\r\n<BR><PRE>" + IntrusionCall, alerts);
    EXPECT_EQ(dialog.TextHistory(IDC_STATUS_LINE), (Texts{"Loging in.."}));
    EXPECT_EQ(Screen(),
              "*** Error: Authorization Failed.\r\nLog in the router from your browser and set the "
              "'Administrator Time-out' option to 0 or Log off any user from local networt.");
    EXPECT_EQ(app.wanType.Get(), "Cable");
    EXPECT_EQ(state.lastDate, R);
    EXPECT_TRUE(alerts.calls.empty());
    EXPECT_FALSE(fs::exists(state.logFilePath));

    Process(PageAB);
    EXPECT_EQ(Screen(), LineA + LineB);
}

TEST_F(LogPageProcessor, AlertsAndLaunchFollowOnlyUpdatesThatAddLines) {
    ShowOnScreen(EmptyNotice);
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_AUTO_LAUNCH, true);
    Process(L2(60000, "Event A") + IntrusionCall);
    EXPECT_EQ(alerts.calls, (Texts{"alert", "launch"}));
    EXPECT_EQ(alerts.alertTexts, (Texts{LineA + IntrusionLine}));
    EXPECT_EQ(alerts.screenAtAlert, LineA + IntrusionLine);
    EXPECT_EQ(alerts.fileAtLaunch, LineA + IntrusionLine);

    // A page with nothing new changes nothing and calls nothing.
    dialog.ClearHistory();
    alerts.calls.clear();
    Process(L2(60000, "Event A") + IntrusionCall + L1("detail"));
    EXPECT_TRUE(dialog.TextHistory(IDC_LOG_SCREEN).empty());
    EXPECT_EQ(state.lastParagraph.Get(), LineA + IntrusionLine);
    EXPECT_EQ(LogFile(), LineA + IntrusionLine);
    EXPECT_TRUE(alerts.calls.empty());

    // Without an intrusion only the launch follows; without the option, none.
    Process(L2(0, "Event C"));
    EXPECT_EQ(alerts.calls, (Texts{"launch"}));
    dialog.SetChecked(IDC_AUTO_LAUNCH, false);
    alerts.calls.clear();
    Process(L2(-3000, "Unrecognized access later"));
    EXPECT_EQ(alerts.calls, (Texts{"alert"}));
}

TEST_F(LogPageProcessor, OnlyIntrusionKeepsOtherLinesOffScreenAndFile) {
    ShowOnScreen("");
    dialog.SetChecked(IDC_ONLY_INTRUSION, true);
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_AUTO_LAUNCH, true);
    Process(PageAB + IntrusionCall + L1("detail"));
    EXPECT_EQ(Screen(), IntrusionLine);
    EXPECT_EQ(LogFile(), IntrusionLine);
    EXPECT_EQ(alerts.calls, (Texts{"alert", "launch"}));

    // An update without an intrusion, should one arrive, reaches nothing.
    alerts.calls.clear();
    dialog.ClearHistory();
    PublishLogUpdate(context, {LineA, LineA}, IntrusionLine, alerts);
    EXPECT_TRUE(dialog.TextHistory(IDC_LOG_SCREEN).empty());
    EXPECT_EQ(LogFile(), IntrusionLine);
    EXPECT_TRUE(alerts.calls.empty());
}

TEST_F(LogPageProcessor, RolledLogIsSaidOnceAndPassesTheIntrusionFilter) {
    const std::string Missed = "*** Entries between 2001/03/05 - 09:04 and 2001/03/05 - 09:06 may be missing: the "
                               "router's log no longer holds them\r\n";
    const std::string LineD = "2001/03/05 - 09:06 - Event D\r\n";
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

    // The line is a log line: it neither resets the time nor gives way.
    dialog.SetChecked(IDC_REMEMBER_DATE, false);
    dialog.SetChecked(IDC_ONLY_INTRUSION, false);
    Process(L2(40000, "Event C") + L2(1000, "Event D"));
    EXPECT_EQ(Screen(), Missed + LineD);
    EXPECT_EQ(alerts.calls, (Texts{"launch"}));
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

TEST_F(LogPageProcessor, UnwritableLogFileIsSilent) {
    // A folder in the file's place cannot be opened for writing, even by root.
    fs::create_directory(state.logFilePath);
    ShowOnScreen("");
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    Process(PageAB);
    EXPECT_EQ(Screen(), LineA + LineB);
    EXPECT_TRUE(dialog.Messages().empty());
}

TEST(LogOptions, DateFormatButtonsAreTestedWindowsFirstThenShort) {
    FakeDialog dialog;
    EXPECT_EQ(ReadDateFormat(dialog), DateFormat::Long);
    dialog.SetChecked(IDC_SHORT_FORMAT, true);
    dialog.SetChecked(IDC_LONG_FORMAT, true);
    EXPECT_EQ(ReadDateFormat(dialog), DateFormat::Short);
    dialog.SetChecked(IDC_WINDOWS_FORMAT, true);
    EXPECT_EQ(ReadDateFormat(dialog), DateFormat::Windows);
}
