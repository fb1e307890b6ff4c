#include "ui/monitor_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "settings/in_memory_registry.h"
#include "settings/registry_values.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"

namespace {

constexpr char kTestKey[] = "SOFTWARE\\VorlaneTests\\Engine";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Nothing listens there: a stray connection is refused at once.
constexpr char kClosedLoopbackAddress[] = "127.0.0.1:1";
constexpr unsigned kTrayIconId = 1;

struct RecordingMainWindow : MainWindowPort {
    void RestoreAndBringForward() override { calls.push_back("restore"); }
    void Hide() override { calls.push_back("hide"); }
    bool ArgumentHasFocus() override { return argumentHasFocus; }
    void PlaySessionAnimation(bool play) override { calls.push_back(play ? "play" : "rest"); }
    void ShowTrayMenu() override { calls.push_back("menu"); }
    void ShowAboutBox() override { calls.push_back("about"); }
    void ShutdownApplication() override { calls.push_back("shutdown"); }

    bool argumentHasFocus = false;
    std::vector<std::string> calls;
};

struct RecordingStatusWindow : StatusWindowPort {
    bool Exists() override { return true; }
    void Show(bool makeForeground) override { calls.push_back(makeForeground ? "show+front" : "show"); }
    void Hide() override { calls.push_back("hide"); }
    std::vector<std::string> calls;
};

struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    std::vector<TrayImage> images;
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

    FakeDialog mainDialog;
    FakeDialog statusDialog;
    FakeSystem system;
    InMemoryRegistry registry;
    RecordingMainWindow mainWindow;
    RecordingStatusWindow statusWindow;
    RecordingTray tray;
    MonitorEngine engine{
        MonitorPorts{mainDialog, statusDialog, system, registry, mainWindow, statusWindow, tray}, kTestKey};
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(MonitorEngineTest, FirstRunLoadAsksForAutoStartAndBuildsBothPaths) {
    EXPECT_TRUE(engine.LoadOptions());
    EXPECT_EQ(engine.state.logFilePath, "C:\\Program Files\\Vorlane\\router.log");
    EXPECT_EQ(engine.state.alertSoundPath, "C:\\Program Files\\Vorlane\\intruder.wav");
    // The mask went through the change notification before the stored password was set.
    EXPECT_EQ(mainDialog.GetText(IDC_PASSWORD), "*********");
    EXPECT_EQ(engine.state.routerPassword.Get(), "vesto");
    EXPECT_EQ(engine.app.currentRouterAddress.Get(), mainDialog.GetText(IDC_ROUTER_ADDRESS));
}

TEST_F(MonitorEngineTest, StoredOptionsDecideAutoStartAndSaveWritesThemBack) {
    registry.PutValue(RegistryRoot::LocalMachine, kTestKey, "autoStart", {RegistryType::Dword, LittleEndianBytes(0)});
    registry.PutValue(RegistryRoot::LocalMachine, kTestKey, "refreshRate", {RegistryType::String, std::string("45\0", 3)});
    EXPECT_FALSE(engine.LoadOptions());
    EXPECT_EQ(mainDialog.GetText(IDC_REFRESH_RATE), "45");

    mainDialog.SetText(IDC_REFRESH_RATE, "12");
    engine.SaveOptions();
    EXPECT_EQ(registry.GetValue(RegistryRoot::LocalMachine, kTestKey, "refreshRate"),
              (RegistryValue{RegistryType::String, std::string("12\0", 3)}));
}

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

TEST_F(MonitorEngineTest, TrayClicks) {
    engine.OnTrayNotify(kTrayIconId, TrayMouseEvent::LeftDown);
    EXPECT_TRUE(engine.state.stopAnimation);
    EXPECT_TRUE(mainWindow.calls.empty());

    engine.state.stopAnimation = false;
    engine.OnTrayNotify(kTrayIconId, TrayMouseEvent::RightDown);
    EXPECT_EQ(mainWindow.calls, (Calls{"menu"}));
    EXPECT_FALSE(engine.state.stopAnimation);

    mainWindow.calls.clear();
    engine.OnTrayNotify(kTrayIconId, TrayMouseEvent::Other);
    EXPECT_TRUE(mainWindow.calls.empty());
    EXPECT_FALSE(engine.state.sessionRunning);
}

TEST_F(MonitorEngineTest, TrayDoubleClickBringsBackTheStatusWindowOnlyWhenItWasShown) {
    engine.OnTrayNotify(kTrayIconId, TrayMouseEvent::LeftDoubleClick);
    EXPECT_TRUE(engine.state.stopAnimation);
    EXPECT_EQ(mainWindow.calls, (Calls{"restore"}));
    EXPECT_TRUE(statusWindow.calls.empty());

    ShowStatusWindow();
    engine.OnTrayNotify(kTrayIconId, TrayMouseEvent::LeftDoubleClick);
    EXPECT_EQ(statusWindow.calls, (Calls{"show+front"}));
}

TEST_F(MonitorEngineTest, PreferencesItemRestoresWithoutPuttingTheStatusWindowInFront) {
    ShowStatusWindow();
    mainWindow.calls.clear();
    Click(ID_TRAY_PREFERENCES);
    EXPECT_EQ(mainWindow.calls, (Calls{"restore"}));
    EXPECT_EQ(statusWindow.calls, (Calls{"show"}));
}

TEST_F(MonitorEngineTest, AutoStartRequestStartsTheSessionWhateverTheMouseSays) {
    engine.OnTrayNotify(AUTO_START_REQUEST, TrayMouseEvent::Other);
    EXPECT_TRUE(engine.state.sessionRunning);
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(mainDialog.GetText(IDC_START_STOP), "&Stop Session");
    EXPECT_EQ(mainWindow.calls, (Calls{"play"}));
    EXPECT_EQ(system.workersStarted, 0);

    Click(IDC_START_STOP);
    EXPECT_FALSE(engine.state.sessionRunning);
    EXPECT_EQ(mainWindow.calls, (Calls{"play", "rest"}));
}

TEST_F(MonitorEngineTest, HideCommandHidesBothWindowsButKeepsStatusShown) {
    ShowStatusWindow();
    Click(kHideCommand);
    EXPECT_EQ(mainWindow.calls, (Calls{"hide"}));
    EXPECT_EQ(statusWindow.calls, (Calls{"hide"}));
    EXPECT_TRUE(engine.app.statusShown);
}

TEST_F(MonitorEngineTest, EnterInTheArgumentBoxLaunchesInsteadOfHiding) {
    engine.state.externalProgramPath.Set("C:\\Tools\\notify.exe");
    mainDialog.SetText(IDC_EXTERNAL_ARGUMENT, "10.0.0.5");
    mainWindow.argumentHasFocus = true;
    Click(kHideCommand);
    EXPECT_TRUE(mainWindow.calls.empty());
    ASSERT_EQ(system.shellRequests.size(), 1u);
    EXPECT_EQ(system.shellRequests[0].file, "C:\\Tools\\notify.exe");
    EXPECT_EQ(system.shellRequests[0].parameters, "10.0.0.5");
}

TEST_F(MonitorEngineTest, EscapeCloseAndMinimiseHideTheRightWindows) {
    ShowStatusWindow();
    Click(kCancelCommand);
    EXPECT_EQ(mainWindow.calls, (Calls{"hide"}));
    EXPECT_TRUE(statusWindow.calls.empty());

    mainWindow.calls.clear();
    engine.OnMainWindowClosing();
    EXPECT_EQ(statusWindow.calls, (Calls{"hide"}));
    EXPECT_TRUE(mainWindow.calls.empty());

    statusWindow.calls.clear();
    engine.OnMainWindowMinimized();
    EXPECT_EQ(mainWindow.calls, (Calls{"hide"}));
    EXPECT_EQ(statusWindow.calls, (Calls{"hide"}));
    EXPECT_TRUE(engine.app.statusShown);
}

TEST_F(MonitorEngineTest, ShutdownButtonAsksFirstAndTrayShutdownDoesNot) {
    Click(IDC_SHUTDOWN);
    EXPECT_TRUE(mainWindow.calls.empty());
    ASSERT_EQ(mainDialog.Messages().size(), 1u);
    EXPECT_EQ(mainDialog.Messages()[0].text, "Are you sure you want to shutdown?");

    mainDialog.QueueAnswer(MessageAnswer::Yes);
    Click(IDC_SHUTDOWN);
    EXPECT_EQ(mainWindow.calls, (Calls{"shutdown"}));

    Click(ID_TRAY_SHUTDOWN);
    EXPECT_EQ(mainWindow.calls, (Calls{"shutdown", "shutdown"}));
    EXPECT_EQ(mainDialog.Messages().size(), 2u);
}

TEST_F(MonitorEngineTest, MenuCommandsReachTheirOperations) {
    engine.LoadOptions();
    Click(ID_ABOUT_COMMAND);
    EXPECT_EQ(mainWindow.calls, (Calls{"about"}));

    Click(ID_TRAY_VIEW_LOG);
    ASSERT_EQ(system.shellRequests.size(), 1u);
    EXPECT_EQ(system.shellRequests[0].file, "C:\\Program Files\\Vorlane\\router.log");

    Click(ID_TRAY_DELETE_LOG);
    EXPECT_EQ(mainDialog.Messages().back().text, "Are you sure you want to delete the log file?");
}

TEST_F(MonitorEngineTest, StatusWindowClosesByButtonEscapeAndCloseBox) {
    for (int close : {kHideCommand, kCancelCommand, 0}) {
        ShowStatusWindow();
        EXPECT_EQ(mainDialog.GetText(IDC_SHOW_STATUS), "Hide Router Status");
        if (close == 0) {
            engine.OnStatusWindowClosing();
        } else {
            engine.OnStatusWindowCommand(close);
        }
        EXPECT_FALSE(engine.app.statusShown) << close;
        EXPECT_EQ(statusWindow.calls, (Calls{"hide"})) << close;
        EXPECT_EQ(mainDialog.GetText(IDC_SHOW_STATUS), "Show Router Status") << close;
    }
}

TEST_F(MonitorEngineTest, StatusRefreshFetchesOnAWorker) {
    engine.app.currentRouterAddress.Set(kClosedLoopbackAddress);
    engine.OnStatusWindowCommand(IDC_STATUS_REFRESH);
    system.WaitForWorkers();
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_MESSAGE), "*** Error: Can't connect to routeur address");
}

TEST_F(MonitorEngineTest, ClicksStopTheAlertAndTheTimerStepsIt) {
    StartTrayAnimation(engine.state);
    engine.OnSessionTimer();
    EXPECT_EQ(tray.images, (std::vector<TrayImage>{TrayImage::Alert}));

    engine.OnLeftButtonDown();
    engine.OnSessionTimer();
    EXPECT_EQ(tray.images.back(), TrayImage::Normal);
    EXPECT_FALSE(engine.state.animating);
}

TEST_F(MonitorEngineTest, AnimationClickAsksBeforeLoggingOut) {
    engine.OnAnimationClicked();
    ASSERT_EQ(mainDialog.Messages().size(), 1u);
    EXPECT_EQ(mainDialog.Messages()[0].text, "This will force a logout. Are you sure?");
    EXPECT_FALSE(engine.state.pollBusy);
}

TEST_F(MonitorEngineTest, DoubleClickedAddressGoesToTheArgumentBox) {
    mainDialog.SetText(IDC_LOG_SCREEN, "Unrecognized access from 10.0.0.5:4661 to TCP port 80");
    engine.OnLogScreenDoubleClick(25, 38);
    EXPECT_EQ(mainDialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.0.0.5");
}
