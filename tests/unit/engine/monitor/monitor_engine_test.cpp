#include "monitor/monitor_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "in_memory_registry.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/recording_intruders_window.h"
#include "support/recording_tray.h"
#include "monitor/main_window_commands.h"

// What the engine does itself is routing: each message reaches the right
// operation and window. The operations have their own tests, and the routes
// that the GUI tests drive through the real windows are not repeated here.

namespace {

constexpr char kTestKey[] = "SOFTWARE\\VorlaneTests\\Engine";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Nothing listens there: a stray connection is refused at once.
constexpr char kClosedLoopbackAddress[] = "127.0.0.1:1";

using Calls = std::vector<std::string>;

struct RecordingMainWindow : MainWindowPort {
    void RestoreAndBringForward() override { calls.push_back("restore"); }
    void Hide() override { calls.push_back("hide"); }
    bool ArgumentHasFocus() override { return argumentHasFocus; }
    void PlaySessionAnimation(bool play) override { calls.push_back(play ? "play" : "rest"); }
    void ShowTrayMenu(bool popupOnIntrusion) override { calls.push_back(popupOnIntrusion ? "menu+popup" : "menu"); }
    void ShowAboutBox() override { calls.push_back("about"); }
    void ShutdownApplication() override { calls.push_back("shutdown"); }
    bool argumentHasFocus = false;
    Calls calls;
};

struct RecordingStatusWindow : RouterStatusWindowPort {
    bool Exists() override { return true; }
    void Show(bool makeForeground) override { calls.push_back(makeForeground ? "show+front" : "show"); }
    void Hide() override { calls.push_back("hide"); }
    Calls calls;
};

class MonitorEngineTest : public testing::Test {
protected:
    MonitorEngineTest() {
        registry.CreateKey(RegistryRoot::LocalMachine, kRunKey, RegistryAccess::AllAccess);
        // What the window does with its edit boxes' change notifications.
        mainDialog.onTextChanged = [this](int id, const std::string&) {
            engine.OnCommand(id, ControlEvent::TextChanged);
        };
    }
    ~MonitorEngineTest() override { system.WaitForWorkers(); }

    void Click(int commandId) { engine.OnCommand(commandId, ControlEvent::Clicked); }
    void ShowStatusWindow() {
        mainDialog.SetText(IDC_ROUTER_ADDRESS, kClosedLoopbackAddress);
        Click(IDC_SHOW_STATUS);
        system.WaitForWorkers();
        statusWindow.calls.clear();
    }
    // What each window was asked since the last check.
    void ExpectCalls(const Calls& main, const Calls& status) {
        EXPECT_EQ(mainWindow.calls, main);
        EXPECT_EQ(statusWindow.calls, status);
        mainWindow.calls.clear();
        statusWindow.calls.clear();
    }

    FakeDialog mainDialog, statusDialog, intrudersDialog;
    FakeSystem system;
    LocalFiles files;
    InMemoryRegistry registry;
    RecordingMainWindow mainWindow;
    RecordingStatusWindow statusWindow;
    RecordingIntrudersWindow intrudersWindow;
    RecordingTray tray;
    MonitorEngine engine{MonitorPorts{mainDialog, statusDialog, intrudersDialog, system, files, registry, mainWindow,
                                      statusWindow, intrudersWindow, tray},
                         kTestKey};
};

}  // namespace

TEST_F(MonitorEngineTest, EditsOfPasswordAndAddressFollowTheirBoxes) {
    mainDialog.SetText(IDC_PASSWORD, "s3cret");
    mainDialog.SetText(IDC_ROUTER_ADDRESS, "127.0.0.1:8080");
    EXPECT_EQ(engine.state.routerPassword.Get(), "s3cret");
    EXPECT_EQ(engine.app.currentRouterAddress.Get(), "127.0.0.1:8080");
    // Focus changes and the like are not edits.
    engine.state.routerPassword.Set("kept");
    engine.OnCommand(IDC_PASSWORD, ControlEvent::Other);
    engine.OnCommand(IDC_PASSWORD, ControlEvent::Clicked);
    EXPECT_EQ(engine.state.routerPassword.Get(), "kept");
}

TEST_F(MonitorEngineTest, TrayIconMouseEvents) {
    struct Case {
        TrayMouseEvent event;
        unsigned icon;
        Calls main;
        bool stopsAnimation, startsSession;
    };
    const Case cases[] = {
        {TrayMouseEvent::LeftDown, TRAY_ICON_ID, {}, true, false},
        {TrayMouseEvent::LeftDoubleClick, TRAY_ICON_ID, {"restore"}, true, false},
        {TrayMouseEvent::RightDown, TRAY_ICON_ID, {"menu+popup"}, false, false},
        {TrayMouseEvent::BalloonClick, TRAY_ICON_ID, {}, false, false},
        // The auto-start request starts the session whatever the mouse says.
        {TrayMouseEvent::Other, AUTO_START_REQUEST, {"play"}, false, true},
    };
    for (const Case& c : cases) {
        engine.state.stopAnimation = false;
        engine.OnTrayNotify(c.icon, c.event);
        EXPECT_EQ(engine.state.stopAnimation, c.stopsAnimation) << static_cast<int>(c.event);
        EXPECT_EQ(engine.state.sessionRunning, c.startsSession) << static_cast<int>(c.event);
        ExpectCalls(c.main, {});
    }
    // The balloon opened the Intruders window; the pop-up item turns off.
    EXPECT_TRUE(intrudersWindow.visible);
    Click(ID_TRAY_POPUP);
    engine.OnTrayNotify(TRAY_ICON_ID, TrayMouseEvent::RightDown);
    ExpectCalls({"menu"}, {});
}

TEST_F(MonitorEngineTest, MinimiseHidesBothWindowsAndOnlyAnEndingWindowsSessionShutsDown) {
    ShowStatusWindow();
    engine.OnMainWindowMinimized();
    ExpectCalls({"hide"}, {"hide"});
    EXPECT_TRUE(engine.app.statusShown);  // it comes back with the main window
    engine.OnEndSession(false);  // another program cancelled the shutdown
    ExpectCalls({}, {});
    engine.OnEndSession(true);
    ExpectCalls({"shutdown"}, {});
}

TEST_F(MonitorEngineTest, TrayIconAddIsRetriedUntilTheTaskbarTakesIt) {
    tray.failingAdds = 2;
    engine.AddTrayIcon();
    EXPECT_EQ(system.timers, (std::map<unsigned, unsigned>{{TRAY_RETRY_TIMER_ID, 2000u}}));
    engine.OnTimer(SESSION_TIMER_ID);  // not the retry
    EXPECT_EQ(tray.adds, 1);
    engine.OnTimer(TRAY_RETRY_TIMER_ID);
    EXPECT_TRUE(system.TimerRunning(TRAY_RETRY_TIMER_ID));
    engine.OnTaskbarCreated();
    EXPECT_EQ(tray.adds, 3);
    EXPECT_FALSE(system.TimerRunning(TRAY_RETRY_TIMER_ID));
    // Explorer restarted later: the icon goes back at once.
    engine.OnTaskbarCreated();
    EXPECT_EQ(tray.adds, 4);
    EXPECT_FALSE(system.TimerRunning(TRAY_RETRY_TIMER_ID));
}

TEST_F(MonitorEngineTest, CommandsReachTheirOperations) {
    Click(ID_ABOUT_COMMAND);
    EXPECT_EQ(mainWindow.calls, (Calls{"about"}));
    Click(ID_TRAY_DELETE_LOG);
    engine.OnAnimationClicked();
    const auto messages = mainDialog.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Are you sure you want to delete the log file?");
    EXPECT_EQ(messages[1].text, "This will force a logout. Are you sure?");

    system.chosenFile = "C:\\Tools\\notify.exe";
    Click(IDC_CHOOSE_EXTERNAL);
    EXPECT_EQ(engine.state.externalProgramPath.Get(), "C:\\Tools\\notify.exe");
    EXPECT_EQ(system.openFileRequests.size(), 1u);
}

TEST_F(MonitorEngineTest, ViewLogFileFallsBackToNotepadThenReports) {
    engine.LoadOptions();
    const std::string logFile = "C:\\Program Files\\Vorlane\\router.log";
    system.shellResults[logFile] = 32;  // 32 and below are failures
    Click(ID_TRAY_VIEW_LOG);
    ASSERT_EQ(system.shellRequests.size(), 2u);
    EXPECT_EQ(system.shellRequests[0].file, logFile);
    EXPECT_EQ(system.shellRequests[1].file, "C:\\windows\\notepad.exe ");
    EXPECT_EQ(system.shellRequests[1].parameters, logFile);
    EXPECT_TRUE(mainDialog.Messages().empty());

    system.shellResults["C:\\windows\\notepad.exe "] = 2;
    Click(ID_TRAY_VIEW_LOG);
    ASSERT_EQ(mainDialog.Messages().size(), 1u);
    EXPECT_EQ(mainDialog.Messages()[0].text, "Cannot View Log File");
}

TEST_F(MonitorEngineTest, EscapeClosesTheRouterStatusWindowAndRefreshFetchesOnAWorker) {
    ShowStatusWindow();
    engine.OnRouterStatusCommand(kCancelCommand);
    EXPECT_FALSE(engine.app.statusShown);
    EXPECT_EQ(statusWindow.calls, (Calls{"hide"}));
    const int workers = system.workersStarted;
    engine.OnRouterStatusCommand(IDC_ROUTER_STATUS_REFRESH);
    system.WaitForWorkers();
    EXPECT_EQ(system.workersStarted, workers + 1);
}
