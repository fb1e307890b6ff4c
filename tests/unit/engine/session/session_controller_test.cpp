#include "session/session_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "alerts/alert_responder.h"
#include "resource_ids.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/silent_intruders_window.h"
#include "support/recording_tray.h"
#include "support/routersim_fixture.h"

namespace {


struct RecordingShell : SessionShell {
    void SetSessionAnimation(bool) override {}
    void RefreshRouterStatus() override {}
    void LastDateChanged() override { ++lastDateSaves; }
    std::atomic<int> lastDateSaves{0};
};

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
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }

    FakeSystem system;
    FakeDialog dialog;
    MonitorState state;
    AppSharedValues app;
    LocalFiles files;
    MonitorContext context{state, app, dialog, system, files};
    RecordingTray tray;
    FakeDialog intrudersDialog;
    SilentIntrudersWindow intrudersWindow;
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
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_NE(Screen().find(" - PPPoE start to dial-up\r\n"), std::string::npos) << Screen();

    system.tick += 30000;  // exactly the interval: not yet
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    system.tick += 1;
    Tick();
    EXPECT_EQ(system.workersStarted, 2);
    // A rate of zero, or none, schedules nothing more.
    for (const char* rate : {"0", ""}) {
        dialog.SetText(IDC_REFRESH_RATE, rate);
        system.tick += 10000000;
        Tick();
        EXPECT_EQ(system.workersStarted, 2) << "rate '" << rate << "'";
    }
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
        // Dates count back from the time of the fetch.
        EXPECT_NEAR(state.lastDate.load(), system.now - 20 + poll * 5, 1) << "poll " << poll;
        EXPECT_EQ(shell.lastDateSaves, poll + 1);
    }
    system.tick += 31000;
    Tick();  // nothing new: the remembered time stays, and is not saved again
    EXPECT_EQ(shell.lastDateSaves, 4);
    // Each line once, oldest first.
    const std::string screen = Screen();
    std::size_t at = 0;
    for (const char* part : {"Event 0", "Event 1", "Unrecognized access from 198.51.100.9:4661", "Event 2", "Event 3"})
        EXPECT_NE(at = screen.find(part, at), std::string::npos) << part << " in " << screen;
    EXPECT_EQ(std::count(screen.begin(), screen.end(), '\n'), 5) << screen;
    std::filesystem::remove_all(folder);
}

TEST_F(SessionTest, IntrusionFillsTheArgumentButAClickNeverOverwritesWhatTheUserTyped) {
    const std::string intrusion = "x - Unrecognized access from 203.0.113.5:137 to UDP port 137\r\n";
    dialog.SetText(IDC_LOG_SCREEN, intrusion);
    dialog.SetChecked(IDC_AUTOFILL, true);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "typed");
    alerts.AutofillArgument();
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "typed");
    alerts.RaiseIntrusionAlerts(intrusion);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "203.0.113.5");
    EXPECT_EQ(system.soundsPlayed, 0);  // no sound without "Alert"
    dialog.SetChecked(IDC_ALERT, true);
    alerts.RaiseIntrusionAlerts(intrusion);
    EXPECT_EQ(system.soundsPlayed, 1);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "");
    alerts.AutofillArgument();
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "203.0.113.5");
}
