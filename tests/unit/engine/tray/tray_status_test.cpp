#include "tray/tray_status.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_system.h"
#include "support/recording_tray.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {

constexpr std::int64_t At1358 = 50280;

// The tray's status over a recording tray, at 13:58 UTC on a day of no
// attempts, watching 192.168.1.1.
class TrayStatusTest : public testing::Test {
protected:
    TrayStatusTest() { options.routerAddress = "192.168.1.1"; }

    TimeZoneGuard zone{"UTC0"};
    FakeSystem clock;
    RecordingTray tray;
    TrayAnimation animation{tray};
    Options options;
    std::uint64_t attempts = 0;
    TrayStatus status{tray, animation, clock, options, [this] { return attempts; }};
};

}  // namespace

TEST_F(TrayStatusTest, ImageTipAndOneBalloonPerChangeAsTheOptionSays) {
    clock.now = At1358;
    status.OnIconAdded();
    status.Start(false);
    const auto poll = [this](PollResult result) { return [this, result] { status.OnPollEnded(result); }; };
    const auto minuteLater = [this](std::function<void()> event) {
        return [this, event] { clock.now += 60; event(); };
    };
    const std::string lost = "Vorlane: Vorlane cannot reach the router at 192.168.1.1: ";
    const struct {
        std::function<void()> event;
        TrayImage image;
        std::string tip, balloon;
        const char* what;
    } steps[] = {
        {[] {}, TrayImage::Idle, "Vorlane: not watching (session stopped)", "", "started, no session"},
        {[this] { status.OnSessionRunning(true); }, TrayImage::Watching, "Vorlane: watching 192.168.1.1", "", "session"},
        {poll(PollResult::GotPage), TrayImage::Watching, "Vorlane: watching 192.168.1.1 (last poll 13:58)", "", "page"},
        {minuteLater(poll(PollResult::NoAnswer)), TrayImage::Watching, "Vorlane: watching 192.168.1.1 (last poll 13:58)",
         "", "one failure is forgiven"},
        {minuteLater(poll(PollResult::CannotConnect)), TrayImage::Blind, "Vorlane: cannot reach 192.168.1.1 since 13:59",
         lost + "it does not answer", "the second in a row"},
        {minuteLater(poll(PollResult::PageMoved)), TrayImage::Blind, "Vorlane: cannot reach 192.168.1.1 since 13:59", "",
         "still blind: no second balloon"},
        {poll(PollResult::GotPage), TrayImage::Watching, "Vorlane: watching 192.168.1.1 (last poll 14:01)",
         "Vorlane: Vorlane sees the router again.", "seen again"},
        {[this] { attempts = 3; status.Refresh(); }, TrayImage::Watching,
         "Vorlane: watching 192.168.1.1 (last poll 14:01); 3 intrusion attempts today", "", "the day's attempts"},
        {[this, poll] { options.popupOnTrouble = false; poll(PollResult::Failed)(); poll(PollResult::InvalidPassword)(); },
         TrayImage::Blind, "Vorlane: the router refuses the password; 3 intrusion attempts today", "",
         "blind again, the pop-up off"},
        {[this] { options.popupOnTrouble = true; status.OnSessionRunning(false); }, TrayImage::Idle,
         "Vorlane: not watching (session stopped); 3 intrusion attempts today", "", "stopping is no news"},
        {[this] { status.OnSyslogReceiver(SyslogReceiver::CannotListen); }, TrayImage::Blind,
         "Vorlane: cannot listen for the router's syslog messages; 3 intrusion attempts today",
         lost + "cannot listen for its syslog messages", "the receiver cannot listen"},
        {[this] { status.OnSyslogReceiver(SyslogReceiver::Off); }, TrayImage::Idle,
         "Vorlane: not watching (session stopped); 3 intrusion attempts today", "", "the receiver turned off"},
    };
    for (const auto& step : steps) {
        const std::size_t balloons = tray.balloons.size();
        step.event();
        ASSERT_FALSE(tray.images.empty());
        EXPECT_EQ(tray.images.back(), step.image) << step.what;
        EXPECT_EQ(tray.tips.back(), step.tip) << step.what;
        const std::string balloon = tray.balloons.size() > balloons ? tray.balloons.back() : "";
        EXPECT_EQ(balloon, step.balloon) << step.what;
        EXPECT_LE(tray.balloons.size(), balloons + 1) << step.what;
    }
    EXPECT_EQ(tray.kinds, (std::vector<BalloonKind>{BalloonKind::Trouble, BalloonKind::Notice, BalloonKind::Trouble}));
}

// The alert blinks over the state's image and ends on the state that holds then.
TEST_F(TrayStatusTest, TheAlertRestsOnTheStatesImage) {
    status.Start(false);
    status.OnSessionRunning(true);
    status.OnPollEnded(PollResult::SocketError);
    status.OnPollEnded(PollResult::SocketError);
    animation.Start();
    tray.images.clear();
    animation.Advance(true);
    animation.Advance(true);
    status.OnPollEnded(PollResult::GotPage);  // while it blinks
    animation.Advance(true);
    animation.Advance(true);
    animation.Stop();
    animation.Advance(true);
    EXPECT_EQ(tray.images, (std::vector<TrayImage>{TrayImage::Alert, TrayImage::Blind, TrayImage::Alert,
                                                   TrayImage::Watching, TrayImage::Watching}));
}

// Once, and only once the icon is there to point at.
TEST_F(TrayStatusTest, TheFirstRunsBalloonWaitsForTheIcon) {
    status.Start(true);
    EXPECT_TRUE(tray.balloons.empty());
    status.OnIconAdded();
    status.OnIconAdded();  // the taskbar came back
    EXPECT_EQ(tray.balloons, (std::vector<std::string>{"Vorlane: Vorlane is running here. Double-click this icon to "
                                                       "set your router's address and password."}));
    EXPECT_EQ(tray.kinds, std::vector<BalloonKind>{BalloonKind::Notice});
}
