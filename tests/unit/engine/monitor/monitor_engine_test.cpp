#include "monitor/monitor_engine.h"

#include <gtest/gtest.h>

#include <map>

#include "resource_ids.h"
#include "in_memory_registry.h"
#include "local_files.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/silent_intruders_window.h"
#include "support/recording_tray.h"

// The GUI tests drive the engine's routes through the real windows; a
// taskbar that refuses the icon is what they cannot bring about.

namespace {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

struct NoMainWindow : MainWindowPort {
    void RestoreAndBringForward() override {}
    void Hide() override {}
    bool ArgumentHasFocus() override { return false; }
    void PlaySessionAnimation(bool) override {}
    void ShowTrayMenu(bool) override {}
    void ShowAboutBox() override {}
    void ShutdownApplication() override {}
};

struct NoStatusWindow : RouterStatusWindowPort {
    bool Exists() override { return false; }
    void Show(bool) override {}
    void Hide() override {}
};

class MonitorEngineTest : public testing::Test {
protected:
    MonitorEngineTest() { registry.CreateKey(RegistryRoot::LocalMachine, kRunKey, RegistryAccess::AllAccess); }
    ~MonitorEngineTest() override { system.WaitForWorkers(); }

    FakeDialog mainDialog, statusDialog, intrudersDialog;
    FakeSystem system;
    LocalFiles files;
    InMemoryRegistry registry;
    NoMainWindow mainWindow;
    NoStatusWindow statusWindow;
    SilentIntrudersWindow intrudersWindow;
    RecordingTray tray;
    MonitorEngine engine{MonitorPorts{mainDialog, statusDialog, intrudersDialog, system, files, registry, mainWindow,
                                      statusWindow, intrudersWindow, tray},
                         "SOFTWARE\\VorlaneTests\\Engine"};
};

}  // namespace

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
}
