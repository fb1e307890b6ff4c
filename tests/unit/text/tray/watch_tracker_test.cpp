#include <gtest/gtest.h>

#include <functional>

#include "tray/tray_texts.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
using Event = std::function<WatchBalloon(WatchTracker&)>;

Event Poll(PollResult result, std::int64_t now) {
    return [=](WatchTracker& watch) { return watch.PollEnded(result, now); };
}
Event Syslog(SyslogState receiver, std::int64_t now) {
    return [=](WatchTracker& watch) { return watch.SyslogChanged(receiver, now); };
}
const Event Start = [](WatchTracker& watch) { return watch.SessionStarted(); };
const Event Stop = [](WatchTracker& watch) { return watch.SessionStopped(); };

constexpr auto Watching = WatchState::Watching, Blind = WatchState::Blind, Idle = WatchState::Idle;
constexpr auto kNone = WatchBalloon::None, Lost = WatchBalloon::LostRouter, Again = WatchBalloon::RouterAgain;
}  // namespace

TEST(WatchTracker, BlindAfterTwoFailuresInARowOneBalloonPerChange) {
    const struct {
        Event event;
        WatchState state;
        WatchBalloon balloon;
        const char* what;
    } steps[] = {
        {Poll(PollResult::CannotConnect, 10), Idle, kNone, "a poll without a session"},
        {Start, Watching, kNone, "started, not polled yet"},
        {Poll(PollResult::CannotConnect, 100), Watching, kNone, "one failure is forgiven"},
        {Poll(PollResult::GotPage, 110), Watching, kNone, "page"},
        {Poll(PollResult::CannotConnect, 120), Watching, kNone, "first failure"},
        {Poll(PollResult::SocketError, 130), Blind, Lost, "second failure in a row"},
        {Poll(PollResult::InvalidPassword, 140), Blind, kNone, "still blind, no second balloon"},
        {Poll(PollResult::GotPage, 150), Watching, Again, "recovered"},
        {Stop, Idle, kNone, "stopped"},
        {Start, Watching, kNone, "started again"},
        {Poll(PollResult::LoginDisabled, 200), Watching, kNone, "first poll fails"},
        {Poll(PollResult::LoginDisabled, 210), Blind, Lost, "a session that starts blind says so"},
        {Stop, Idle, kNone, "stopping a blind session is no news"},
        {Syslog(SyslogState::CannotListen, 300), Blind, Lost, "the receiver cannot listen"},
        {Start, Blind, kNone, "a session does not hide the receiver's failure"},
        {Syslog(SyslogState::Listening, 310), Watching, Again, "the receiver listens"},
        {Stop, Watching, kNone, "the receiver alone watches"},
        {Syslog(SyslogState::Off, 320), Idle, kNone, "nothing watches"},
    };
    WatchTracker watch;
    for (const auto& step : steps) {
        EXPECT_EQ(step.event(watch), step.balloon) << step.what;
        EXPECT_EQ(watch.Report().state, step.state) << step.what;
    }
}

// The unreachable router's tip and balloon are the tray status test's.
TEST(TrayTexts, TipsInTheirFormsAndWithinTheLimit) {
    const TimeZoneGuard zone("UTC0");
    constexpr std::int64_t At1358 = 50280, At1403 = 50580;
    WatchReport watching{Watching, true, PollResult::GotPage, false, 0, At1403};
    WatchReport unreachable{Blind, true, PollResult::CannotConnect, false, At1358, std::nullopt};
    WatchReport refused{Blind, true, PollResult::AuthorizationFailed, false, At1358, std::nullopt};
    WatchReport deaf{Blind, false, PollResult::GotPage, true, At1358, std::nullopt};
    const std::string address = "192.168.1.1";
    const struct {
        WatchReport report;
        std::uint64_t today;
        std::string tip;
    } cases[] = {
        {watching, 0, "Vorlane: watching 192.168.1.1 (last poll 14:03)"},
        {{Watching, true, PollResult::GotPage, false, 0, std::nullopt}, 0, "Vorlane: watching 192.168.1.1"},
        {{Watching, false, PollResult::GotPage, false, 0, std::nullopt}, 0, "Vorlane: watching 192.168.1.1 (syslog)"},
        {refused, 1, "Vorlane: the router refuses the password; 1 intrusion attempt today"},
        {deaf, 0, "Vorlane: cannot listen for the router's syslog messages"},
        {WatchReport{}, 0, "Vorlane: not watching (session stopped)"},
    };
    for (const auto& c : cases) EXPECT_EQ(TrayTipText(c.report, address, c.today), c.tip);

    // The address gives way at the limit, never the state or the count.
    const std::string tail = " (last poll 14:03); 12345 intrusion attempts today";
    const std::size_t fits = kMaxTrayTipLength - std::string("Vorlane: watching ").size() - tail.size();
    EXPECT_EQ(TrayTipText(watching, std::string(fits, 'a'), 12345), "Vorlane: watching " + std::string(fits, 'a') + tail);
    EXPECT_EQ(TrayTipText(watching, std::string(fits + 1, 'a'), 12345),
              "Vorlane: watching " + std::string(fits - 3, 'a') + "..." + tail);
    EXPECT_EQ(TrayTipText(unreachable, std::string(400, 'a'), UINT64_MAX).size(), kMaxTrayTipLength);

    EXPECT_EQ(LostRouterBalloonText(refused, address),
              "Vorlane cannot reach the router at 192.168.1.1: it refuses the password");
    const std::string longBalloon = LostRouterBalloonText(deaf, std::string(400, 'a'));
    EXPECT_EQ(longBalloon.size(), kMaxBalloonTextLength);
    EXPECT_TRUE(longBalloon.ends_with("a...: cannot listen for its syslog messages")) << longBalloon;
}
