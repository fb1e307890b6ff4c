#include "tray/tray_status.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"
#include "support/recording_tray.h"
#include "unit/text/logpage/time_zone_guard.h"

// A first run watching 192.168.1.1 from 13:58 UTC, on a day of 3 attempts.
TEST(TrayStatus, ImageTipAndOneBalloonPerChangeAsTheOptionSays) {
    const TimeZoneGuard zone("UTC0");
    FakeSystem clock;
    clock.now = 50280;
    RecordingTray tray;
    TrayAnimation animation(tray);
    Options options;
    options.routerAddress = "192.168.1.1";
    TrayStatus status(tray, animation, clock, options, [] { return std::uint64_t{3}; });
    status.Start(true);
    EXPECT_TRUE(tray.balloons.empty());  // the first run's balloon waits for the icon, and comes once
    status.OnIconAdded();
    status.OnIconAdded();
    EXPECT_EQ(tray.tips.back(), "Vorlane: not watching (session stopped); 3 intrusion attempts today");

    status.OnSessionRunning(true);
    status.OnPollEnded(PollResult::NoAnswer);
    EXPECT_EQ(tray.images.back(), TrayImage::Watching);
    animation.Start();
    status.OnPollEnded(PollResult::CannotConnect);  // blind while the alert blinks: it ends on the blind image
    animation.Stop();
    animation.Advance(false);
    EXPECT_EQ(tray.images.back(), TrayImage::Blind);
    EXPECT_EQ(tray.tips.back(), "Vorlane: cannot reach 192.168.1.1 since 13:58; 3 intrusion attempts today");
    status.OnPollEnded(PollResult::SocketError);
    status.OnPollEnded(PollResult::GotPage);
    options.popupOnTrouble = false;
    status.OnPollEnded(PollResult::InvalidPassword);
    status.OnPollEnded(PollResult::InvalidPassword);
    EXPECT_EQ(tray.tips.back(), "Vorlane: the router refuses the password; 3 intrusion attempts today");
    options.popupOnTrouble = true;
    status.OnSessionRunning(false);
    EXPECT_EQ(tray.images.back(), TrayImage::Idle);
    status.OnSyslogReceiver(SyslogState::CannotListen);
    EXPECT_EQ(tray.images.back(), TrayImage::Blind);

    const std::string lost = "Vorlane: Vorlane cannot reach the router at 192.168.1.1: ";
    EXPECT_EQ(tray.balloons, (std::vector<std::string>{
                                 "Vorlane: Vorlane is running here. Double-click this icon to set your router's "
                                 "address and password.",
                                 lost + "it does not answer", "Vorlane: Vorlane sees the router again.",
                                 lost + "cannot listen for its syslog messages"}));
    EXPECT_EQ(tray.kinds, (std::vector<BalloonKind>{BalloonKind::Notice, BalloonKind::Trouble, BalloonKind::Notice,
                                                    BalloonKind::Trouble}));
}
