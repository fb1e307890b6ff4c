#include "mainwindow/tray_icon_keeper.h"

#include <gtest/gtest.h>

#include <map>

#include "resource_ids.h"
#include "support/fake_system.h"
#include "support/recording_tray.h"

// The GUI tests always have a taskbar: one that refuses the icon is what
// they cannot bring about.
TEST(TrayIconKeeper, AddIsRetriedUntilTheTaskbarTakesIt) {
    FakeSystem system;
    RecordingTray tray;
    TrayIconKeeper keeper(tray, system);
    tray.failingAdds = 2;
    keeper.AddIcon();
    EXPECT_EQ(system.timers, (std::map<unsigned, unsigned>{{TRAY_RETRY_TIMER_ID, 2000u}}));
    EXPECT_FALSE(keeper.OnTimer(SESSION_TIMER_ID));
    EXPECT_EQ(tray.adds, 1);
    EXPECT_TRUE(keeper.OnTimer(TRAY_RETRY_TIMER_ID));
    EXPECT_TRUE(system.TimerRunning(TRAY_RETRY_TIMER_ID));
    keeper.AddIcon();  // the taskbar was created
    EXPECT_EQ(tray.adds, 3);
    EXPECT_FALSE(system.TimerRunning(TRAY_RETRY_TIMER_ID));
}
