#include "logupdate/log_publisher.h"

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/recording_tray.h"
#include "support/scripted_files.h"
#include "support/silent_intruders_window.h"

namespace {

const std::string kLineA = "2001/03/05 - 09:04 - Event A\r\n";
const std::string kIntrusionLine = "2001/03/05 - 09:05 - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n";

// A launch notes what router.log held at that moment.
struct LaunchWatchingSystem : FakeSystem {
    explicit LaunchWatchingSystem(ScriptedFiles& files) : files(files) {}
    std::intptr_t OpenWithShell(const ShellRequest& request) override {
        launches.push_back(request.parameters + " | file: " + files.file);
        return FakeSystem::OpenWithShell(request);
    }
    ScriptedFiles& files;
    std::vector<std::string> launches;
};

LogUpdate UpdateOf(const std::vector<std::pair<std::string, std::string>>& linesAndMessages) {
    LogUpdate update;
    for (const auto& [line, message] : linesAndMessages) {
        update.records.push_back(RecordOf(983783100, message));
        update.lines.displayText += line;
        update.lines.fileText += line;
    }
    return update;
}

}  // namespace

class LogPublisherTest : public ::testing::Test {
protected:
    void SetUp() override { file.SetPath("router.log"); }
    void Publish(const LogUpdate& update) {
        publisher.Publish(update);
        system.Settle();
    }
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }

    ScriptedFiles files;
    LaunchWatchingSystem system{files};
    FakeDialog dialog, intrudersDialog;
    RecordingTray tray;
    Options options;
    TrayAnimation animation{tray};
    MessageBoxes boxes{dialog, system};
    AlertResponder alerts{dialog, system, files, tray, animation, boxes, options};
    SilentIntrudersWindow intrudersWindow;
    IntrudersController intruders{intrudersDialog, intrudersWindow, system, files, options};
    LogScreen screen{dialog, system};
    LogFileWriter file{files, system};
    IntrusionAlertGate gate{system, options};
    LogPublisher publisher{screen, file, intruders, alerts, gate, options};
};

TEST_F(LogPublisherTest, LinesFollowWhatTheScreenShowsAndANoticeOrAFullScreenGivesWay) {
    Publish({});
    EXPECT_EQ(Screen(), "*** (empty) ***");
    Publish(UpdateOf({{kLineA, "Event A"}}));
    EXPECT_EQ(Screen(), kLineA);
    EXPECT_EQ(dialog.Scrolls(), (std::vector<std::pair<int, int>>{{IDC_LOG_SCREEN, 999999}}));
    Publish(UpdateOf({{"x\r\n", "x"}}));
    EXPECT_EQ(Screen(), kLineA + "x\r\n");
    EXPECT_EQ(publisher.LastParagraph(), "x\r\n");

    publisher.ShowNotice(std::string(30001, 'x'));
    Publish({});  // a screen past its limit starts over, empty, and says so
    EXPECT_EQ(Screen(), "*** (empty) ***");
    publisher.ShowNotice(std::string(30000, 'x'));
    Publish(UpdateOf({{kLineA, "Event A"}}));
    EXPECT_EQ(Screen(), std::string(30000, 'x') + kLineA);
    EXPECT_TRUE(files.file.empty());  // "Log to file" is off

    // An update larger than the screen's limit shows its newest lines, and says so.
    LogUpdate large;
    for (int line = 0; line < 1000; ++line) large.lines.displayText += std::string(38, 'a' + line % 26) + "\r\n";
    dialog.ClearHistory();
    Publish(large);
    EXPECT_TRUE(Screen().starts_with("... 250 earlier lines of this update are not shown here\r\n")) << Screen().substr(0, 80);
    // Taken in over several steps of the GUI thread, each its own task.
    EXPECT_GT(dialog.TextHistory(IDC_LOG_SCREEN).size(), 10u);
    EXPECT_TRUE(Screen().ends_with(large.lines.displayText.substr(large.lines.displayText.size() - 30000)));
    EXPECT_EQ(publisher.LastParagraph(), large.lines.displayText);
    EXPECT_EQ(dialog.callsOffGuiThread, 0);
}

TEST_F(LogPublisherTest, AnIntrusionAlertsFilesThenLaunchesAndAMissedLineAloneOnlyShows) {
    options.alert = options.autofill = options.logToFile = options.autoLaunchExternal = 1;
    options.externalProgramPath = "C:\\probe.exe";
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "%%");
    Publish(UpdateOf({{kLineA, "Event A"}, {kIntrusionLine, "Unrecognized access from 10.1.2.3:1025 to TCP port 80"}}));
    EXPECT_EQ(Screen(), kLineA + kIntrusionLine);
    EXPECT_EQ(system.soundsPlayed, 1);
    EXPECT_TRUE(animation.Running());
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.1.2.3");
    EXPECT_EQ(tray.balloons, std::vector<std::string>{"Intrusion attempt: 10.1.2.3, TCP port 80"});
    // The launch came once router.log held the lines, with the update's lines for "%%".
    EXPECT_EQ(system.launches, std::vector<std::string>{"10.1.2.3 | file: " + kLineA + kIntrusionLine});

    const std::string missed = "*** Entries between ... may be missing: the router's log no longer holds them\r\n";
    LogUpdate update;
    update.lines = {missed, missed};
    update.opensWithMissedEntries = update.onlyIntrusion = true;
    Publish(update);
    EXPECT_EQ(Screen(), kLineA + kIntrusionLine + missed);
    EXPECT_EQ(files.file, kLineA + kIntrusionLine + missed);
    EXPECT_EQ(system.soundsPlayed, 1);
    EXPECT_EQ(system.launches.size(), 1u);

    // Without an intrusion, and with the filter off, only the launch follows.
    Publish(UpdateOf({{kLineA, "Event A"}}));
    EXPECT_EQ(system.soundsPlayed, 1);
    EXPECT_EQ(system.launches.size(), 2u);
}

namespace {
std::pair<std::string, std::string> Attempt(const std::string& address) {
    const std::string message = "Unrecognized access from " + address + ":1025 to TCP port 80";
    return {"2001/03/05 - 09:05 - " + message + "\r\n", message};
}
}  // namespace

// An ignored address alerts, fills and launches nothing, quiet repeats hold
// back an address that alerted within the minutes, and a new address alerts
// at once; an update with other lines still launches.
TEST_F(LogPublisherTest, IgnoredAndQuietAddressesRaiseNothingNewOnesAlertAtOnce) {
    options.alert = options.autofill = options.autoLaunchExternal = 1;
    options.externalProgramPath = "C:\\probe.exe";
    options.ignoredAddresses = IgnoreList({"10.1.2.0/24"});
    options.quietRepeatMinutes = 10;
    const struct {
        std::vector<std::pair<std::string, std::string>> lines;
        std::int64_t minute;
        bool alerts, launches;
        const char* argument;
        const char* why;
    } steps[] = {
        {{Attempt("10.1.2.3")}, 0, false, false, "", "ignored"},
        {{Attempt("10.1.2.3"), Attempt("10.9.9.9"), Attempt("10.1.2.4")}, 1, true, true, "10.9.9.9", "a watched one"},
        {{Attempt("10.9.9.9")}, 10, false, false, "", "alerted 9 minutes ago"},
        {{{kLineA, "Event A"}, Attempt("10.9.9.9")}, 10, false, true, "", "quiet, but another line launches"},
        {{Attempt("10.9.9.9"), Attempt("10.8.8.8")}, 10, true, true, "10.9.9.9", "10.8.8.8 is new"},
        {{Attempt("10.9.9.9")}, 20, true, true, "10.9.9.9", "exactly 10 minutes after its alert"},
    };
    int sounds = 0;
    std::size_t launches = 0;
    for (const auto& step : steps) {
        dialog.SetText(IDC_EXTERNAL_ARGUMENT, "");
        tray.balloons.clear();
        system.now = 1000000000 + 60 * step.minute;
        Publish(UpdateOf(step.lines));
        sounds += step.alerts ? 1 : 0;
        launches += step.launches ? 1 : 0;
        EXPECT_EQ(system.soundsPlayed, sounds) << step.why;
        EXPECT_EQ(tray.balloons.size(), step.alerts ? 1u : 0u) << step.why;
        EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), step.argument) << step.why;
        EXPECT_EQ(system.launches.size(), launches) << step.why;
    }
    EXPECT_EQ(tray.balloons.back(), "Intrusion attempt: 10.9.9.9, TCP port 80");
    EXPECT_EQ(publisher.FirstAddressOnScreen(), "10.9.9.9");  // the ignored 10.1.2.3 came first
}
