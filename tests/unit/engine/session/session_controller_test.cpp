#include "session/session_controller.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "alerts/alert_responder.h"
#include "resource_ids.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/recording_intruders_window.h"
#include "support/recording_tray.h"
#include "support/routersim_fixture.h"

namespace {

using Texts = std::vector<std::string>;

struct RecordingShell : SessionShell {
    void SetSessionAnimation(bool play) override { animation.push_back(play); }
    void RefreshRouterStatus() override { ++refreshes; }
    void LastDateChanged() override { ++lastDateSaves; }
    std::vector<bool> animation;
    std::atomic<int> lastDateSaves{0};
    std::atomic<int> refreshes{0};
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The session engine wired to fakes, with the router simulator as the router.
class SessionTest : public RouterSimTest {
protected:
    void SetUp() override {
        RouterSimTest::SetUp();
        system.now = std::time(nullptr);
        dialog.SetText(IDC_ROUTER_ADDRESS, Address());
        dialog.SetText(IDC_REFRESH_RATE, "30");
        Sim("log/clear");
    }
    void TearDown() override { system.WaitForWorkers(); }

    void Tick() {
        session.OnSessionTick();
        system.WaitForWorkers();
    }
    void PollNowAndWait() {
        session.PollNow();
        system.WaitForWorkers();
    }
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }
    std::string Status() { return dialog.GetText(IDC_STATUS_LINE); }

    FakeSystem system;
    FakeDialog dialog;
    MonitorState state;
    AppSharedValues app;
    LocalFiles files;
    MonitorContext context{state, app, dialog, system, files};
    RecordingTray tray;
    FakeDialog intrudersDialog;
    RecordingIntrudersWindow intrudersWindow;
    IntrudersController intruders{context, intrudersDialog, intrudersWindow};
    AlertResponder alerts{context, tray, intruders};
    RecordingShell shell;
    SessionController session{context, alerts, tray, shell};
};

}  // namespace

TEST_F(SessionTest, StartPollsAtTheFirstTickThenAfterTheInterval) {
    Sim("log/add?text=PPPoE+start+to+dial-up&age=5000");
    session.ToggleSession();
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(shell.animation, std::vector<bool>{true});

    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    const std::string screen = Screen();
    EXPECT_TRUE(Contains(screen, " - PPPoE start to dial-up\r\n")) << screen;
    EXPECT_FALSE(state.pollBusy);
    // Dates count back from the time of the fetch.
    EXPECT_EQ(state.referenceTime.load(), system.now.load());
    EXPECT_NEAR(state.lastDate.load(), system.now.load() - 5, 1);

    system.tick += 30000;  // exactly the interval: not yet
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    system.tick += 1;
    Tick();
    EXPECT_EQ(system.workersStarted, 2);
    EXPECT_EQ(Screen(), screen);  // the same log again adds nothing
    // A rate of zero, or none, schedules nothing more.
    for (const char* rate : {"0", ""}) {
        dialog.SetText(IDC_REFRESH_RATE, rate);
        system.tick += 10000000;
        Tick();
        EXPECT_EQ(system.workersStarted, 2) << "rate '" << rate << "'";
    }
}

TEST_F(SessionTest, GetItNowPollsWhileStoppedButNotWhileBusy) {
    PollNowAndWait();
    EXPECT_EQ(Status(), "Stopped");
    EXPECT_NE(state.lastPollEnd, 0u);
    EXPECT_EQ(shell.refreshes, 0);  // the status window is refreshed only while shown
    state.pollBusy = true;
    PollNowAndWait();
    session.ToggleSession();
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    state.pollBusy = false;
    app.statusShown = true;
    PollNowAndWait();
    EXPECT_EQ(shell.refreshes, 1);
}

TEST_F(SessionTest, StopDuringAPollShowsStoppedAtOnceAndAtTheEnd) {
    session.ToggleSession();
    dialog.onTextChanged = [this](int id, const std::string& text) {
        if (id == IDC_STATUS_LINE && text == "Getting content...") session.ToggleSession();
    };
    Tick();
    dialog.onTextChanged = nullptr;
    EXPECT_EQ(dialog.TextHistory(IDC_STATUS_LINE), (Texts{"Waiting...", "Connecting...", "Getting content...",
                                                          "Stopped", "Parsing content...", "Stopped"}));
    EXPECT_EQ(shell.animation, (std::vector<bool>{true, false}));
}

TEST_F(SessionTest, AFailureInsideAPortStillEndsThePoll) {
    dialog.onTextChanged = [](int id, const std::string& text) {
        if (id == IDC_STATUS_LINE && text == "Parsing content...") throw std::runtime_error("window gone");
    };
    PollNowAndWait();
    dialog.onTextChanged = nullptr;
    EXPECT_EQ(Screen(), "*** Error: window gone");
    EXPECT_FALSE(state.pollBusy);
    EXPECT_NE(state.lastPollEnd, 0u);
    EXPECT_EQ(Status(), "Stopped");
}

TEST_F(SessionTest, ForcedLogoutAsksFirstAndIsRefusedWhileBusy) {
    state.pollBusy = true;
    session.ForceLogout();
    state.pollBusy = false;
    dialog.QueueAnswer(MessageAnswer::No);
    session.ForceLogout();
    EXPECT_TRUE(RecordedRequests().empty());

    const auto messages = dialog.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Cannot logout right now - in communication. Try later.");
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages[1].buttons, MessageButtons::YesNo);
    // Yes: the GUI scenario hostile_slow_logout follows the logout itself.
}

TEST_F(SessionTest, StopEndsTheTimerOnceNoAnimationIsPending) {
    session.ToggleSession();
    session.ToggleSession();
    Tick();
    EXPECT_FALSE(system.TimerRunning(SESSION_TIMER_ID));

    session.ToggleSession();
    StartTrayAnimation(state);
    session.ToggleSession();
    for (int tick = 0; tick < 31; ++tick) Tick();
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));  // the alert blinks to its end
    Tick();
    EXPECT_FALSE(state.animating);
    EXPECT_FALSE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(system.workersStarted, 0);
}

TEST_F(SessionTest, IntrusionBlinksSoundsTheUsersFileOrTheBuiltInOneAndFillsTheArgument) {
    state.alertSoundPath = (std::filesystem::temp_directory_path() / ("vorlane-" + std::to_string(port))).string();
    const std::string intrusion = "2001/03/05 - Unrecognized access from 10.1.2.3:1025 to UDP port 137\r\n";
    dialog.SetChecked(IDC_AUTOFILL, true);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "typed by the user");
    alerts.RaiseIntrusionAlerts(intrusion);  // no sound without "Alert"
    EXPECT_TRUE(state.animating);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.1.2.3");
    dialog.SetChecked(IDC_ALERT, true);
    alerts.RaiseIntrusionAlerts(intrusion);
    std::ofstream(state.alertSoundPath) << "RIFF";
    alerts.RaiseIntrusionAlerts(intrusion);
    std::filesystem::remove(state.alertSoundPath);
    EXPECT_EQ(system.soundsPlayed, (Texts{"resource:131", "file:" + state.alertSoundPath}));
}

TEST_F(SessionTest, ExternalProgramFailuresAreReported) {
    const std::string program = "C:\\Tools\\notify.exe";
    alerts.LaunchExternalProgram();
    state.externalProgramPath.Set(program);
    system.shellResults[program] = 32;  // 32 and below are failures
    alerts.LaunchExternalProgram();
    ASSERT_EQ(system.shellRequests.size(), 1u);
    EXPECT_EQ(system.shellRequests[0].verb, "OPEN");
    const auto messages = dialog.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text,
              "No external program is currently configured.\r\nUse the 'Choose External Program' button.");
    EXPECT_EQ(messages[1].text, "Cannot execute application: " + program);
}

TEST_F(SessionTest, AWholeSessionShowsAndFilesEveryLineOnce) {
    const auto folder = std::filesystem::temp_directory_path() / ("vorlane-session-" + std::to_string(port));
    std::filesystem::create_directories(folder);
    state.logFilePath = (folder / "router.log").string();
    dialog.SetChecked(IDC_LOG_TO_FILE, true);
    dialog.SetChecked(IDC_SHORT_FORMAT, true);
    session.ToggleSession();
    for (int poll = 0; poll < 4; ++poll) {
        // The router lists oldest first.
        if (poll == 2) Sim("log/add?text=Unrecognized+access+from+198.51.100.9:4661+to+UDP+port+137&age=12000");
        Sim("log/add?text=Event+" + std::to_string(poll) + "&age=" + std::to_string(20000 - poll * 5000));
        system.tick += 31000;
        Tick();
        std::ifstream file(state.logFilePath, std::ios::binary);
        const std::string fileText{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        EXPECT_EQ(fileText, Screen()) << "poll " << poll;  // no GMT suffix: the file repeats the screen
        EXPECT_NEAR(state.lastDate.load(), system.now - 20 + poll * 5, 1) << "poll " << poll;
        EXPECT_EQ(shell.lastDateSaves, poll + 1);
    }
    system.tick += 31000;
    Tick();  // nothing new: the remembered time stays, and is not saved again
    EXPECT_EQ(shell.lastDateSaves, 4);
    const std::string screen = Screen();
    for (int poll = 0; poll < 4; ++poll) {
        const std::string line = " - Event " + std::to_string(poll) + "\r\n";
        const std::size_t first = screen.find(line);
        ASSERT_NE(first, std::string::npos) << line;
        EXPECT_EQ(screen.find(line, first + 1), std::string::npos) << "shown twice: " << line;
    }
    EXPECT_TRUE(Contains(screen, "Unrecognized access from 198.51.100.9:4661"));
    std::filesystem::remove_all(folder);
}

TEST_F(SessionTest, AutofillClickNeverOverwritesWhatTheUserTyped) {
    dialog.SetText(IDC_LOG_SCREEN, "x - Unrecognized access from 203.0.113.5:137 to UDP port 137\r\n");
    alerts.AutofillArgument();  // box unchecked: nothing
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "");
    dialog.SetChecked(IDC_AUTOFILL, true);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "typed");
    alerts.AutofillArgument();
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "typed");
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "");
    alerts.AutofillArgument();
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "203.0.113.5");
}
