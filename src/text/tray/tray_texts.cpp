#include "tray/tray_texts.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "logpage/broken_down_time.h"

namespace {
constexpr std::string_view kTipStart = "Vorlane: ";
constexpr std::string_view kWatchingStart = "watching ";
constexpr std::string_view kLastPollStart = " (last poll ";
constexpr std::string_view kLastPollEnd = ")";
constexpr std::string_view kBySyslog = " (syslog)";
constexpr std::string_view kCannotReachStart = "cannot reach ";
constexpr std::string_view kSinceWord = " since ";
constexpr std::string_view kPasswordRefusedTip = "the router refuses the password";
constexpr std::string_view kLoginDisabledTip = "the router has disabled logins";
constexpr std::string_view kCannotListenTip = "cannot listen for the router's syslog messages";
constexpr std::string_view kIdleTip = "not watching (session stopped)";
constexpr std::string_view kAttemptsStart = "; ";
constexpr std::string_view kOneAttemptToday = " intrusion attempt today";
constexpr std::string_view kAttemptsToday = " intrusion attempts today";

constexpr std::string_view kLostRouterStart = "Vorlane cannot reach the router at ";
constexpr std::string_view kReasonSeparator = ": ";
constexpr std::string_view kNoAnswerReason = "it does not answer";
constexpr std::string_view kSocketErrorReason = "the connection broke off";
constexpr std::string_view kPasswordRefusedReason = "it refuses the password";
constexpr std::string_view kLoginDisabledReason = "it has disabled logins";
constexpr std::string_view kCannotListenReason = "cannot listen for its syslog messages";
constexpr std::string_view kPageMovedReason = "it sends its page to another address";
constexpr std::string_view kPollFailedReason = "the poll failed";

constexpr std::string_view kCutMark = "...";

// "14:03" in local time.
std::optional<std::string> ClockText(std::int64_t time) {
    if (time < 0 || time > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    const auto local = ToLocalTime(static_cast<std::int32_t>(time));
    if (!local) return std::nullopt;
    const char digits[] = {static_cast<char>('0' + local->tm_hour / 10), static_cast<char>('0' + local->tm_hour % 10),
                           ':', static_cast<char>('0' + local->tm_min / 10),
                           static_cast<char>('0' + local->tm_min % 10)};
    return std::string(digits, sizeof digits);
}

// A text made of what comes before the router's address, the address, and
// what comes after: the address gives way when the whole passes the limit.
std::string Fitted(std::string_view before, std::string_view address, std::string_view after, std::size_t limit) {
    std::string text(before);
    const std::size_t room = limit - std::min(limit, before.size() + after.size());
    if (address.size() <= room) {
        text.append(address);
    } else if (room > kCutMark.size()) {
        text.append(address.substr(0, room - kCutMark.size())).append(kCutMark);
    }
    text.append(after);
    if (text.size() > limit) text.resize(limit);
    return text;
}

bool IsRefusal(PollResult failure) {
    return failure == PollResult::InvalidPassword || failure == PollResult::AuthorizationFailed;
}

// The tip's words without the day's attempts, around the router's address
// when they name it.
struct TipWords {
    std::string before{kTipStart};
    bool namesAddress = true;
    std::string after;

    void Say(std::string_view words) {
        before.append(words);
        namesAddress = false;
    }
    void AppendTime(std::string_view start, std::optional<std::int64_t> time, std::string_view end) {
        if (const auto text = time ? ClockText(*time) : std::nullopt) after.append(start).append(*text).append(end);
    }
};

TipWords StateWords(const WatchReport& report) {
    TipWords words;
    switch (report.state) {
        case WatchState::Watching:
            words.before.append(kWatchingStart);
            if (report.sessionRunning) {
                words.AppendTime(kLastPollStart, report.lastPage, kLastPollEnd);
            } else {
                words.after.append(kBySyslog);
            }
            break;
        case WatchState::Blind:
            if (report.cannotListen) {
                words.Say(kCannotListenTip);
            } else if (IsRefusal(report.failure)) {
                words.Say(kPasswordRefusedTip);
            } else if (report.failure == PollResult::LoginDisabled) {
                words.Say(kLoginDisabledTip);
            } else {
                words.before.append(kCannotReachStart);
                words.AppendTime(kSinceWord, report.blindSince, {});
            }
            break;
        case WatchState::Idle: words.Say(kIdleTip); break;
    }
    return words;
}

std::string_view LostRouterReason(const WatchReport& report) {
    if (report.cannotListen) return kCannotListenReason;
    switch (report.failure) {
        case PollResult::SocketError: return kSocketErrorReason;
        case PollResult::InvalidPassword:
        case PollResult::AuthorizationFailed: return kPasswordRefusedReason;
        case PollResult::LoginDisabled: return kLoginDisabledReason;
        case PollResult::PageMoved: return kPageMovedReason;
        case PollResult::Failed: return kPollFailedReason;
        case PollResult::GotPage:
        case PollResult::CannotConnect:
        case PollResult::NoAnswer: break;
    }
    return kNoAnswerReason;
}
}  // namespace

std::string TrayTipText(const WatchReport& report, std::string_view routerAddress, std::uint64_t attemptsToday) {
    TipWords words = StateWords(report);
    if (attemptsToday > 0) {
        words.after.append(kAttemptsStart).append(std::to_string(attemptsToday));
        words.after.append(attemptsToday == 1 ? kOneAttemptToday : kAttemptsToday);
    }
    return Fitted(words.before, words.namesAddress ? routerAddress : std::string_view(), words.after,
                  kMaxTrayTipLength);
}

std::string LostRouterBalloonText(const WatchReport& report, std::string_view routerAddress) {
    std::string after(kReasonSeparator);
    after.append(LostRouterReason(report));
    return Fitted(kLostRouterStart, routerAddress, after, kMaxBalloonTextLength);
}
