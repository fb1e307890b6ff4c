#include "tray/tray_texts.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "logpage/broken_down_time.h"

namespace {
constexpr std::string_view TipStart = "Vorlane: ";
constexpr std::string_view WatchingStart = "watching ";
constexpr std::string_view LastPollStart = " (last poll ";
constexpr std::string_view LastPollEnd = ")";
constexpr std::string_view BySyslog = " (syslog)";
constexpr std::string_view CannotReachStart = "cannot reach ";
constexpr std::string_view SinceWord = " since ";
constexpr std::string_view PasswordRefusedTip = "the router refuses the password";
constexpr std::string_view LoginDisabledTip = "the router has disabled logins";
constexpr std::string_view CannotListenTip = "cannot listen for the router's syslog messages";
constexpr std::string_view IdleTip = "not watching (session stopped)";
constexpr std::string_view AttemptsStart = "; ";
constexpr std::string_view OneAttemptToday = " intrusion attempt today";
constexpr std::string_view AttemptsToday = " intrusion attempts today";

constexpr std::string_view LostRouterStart = "Vorlane cannot reach the router at ";
constexpr std::string_view ReasonSeparator = ": ";
constexpr std::string_view NoAnswerReason = "it does not answer";
constexpr std::string_view SocketErrorReason = "the connection broke off";
constexpr std::string_view PasswordRefusedReason = "it refuses the password";
constexpr std::string_view LoginDisabledReason = "it has disabled logins";
constexpr std::string_view CannotListenReason = "cannot listen for its syslog messages";
constexpr std::string_view PageMovedReason = "it sends its page to another address";
constexpr std::string_view PollFailedReason = "the poll failed";

constexpr std::string_view CutMark = "...";

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
    } else if (room > CutMark.size()) {
        text.append(address.substr(0, room - CutMark.size())).append(CutMark);
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
    std::string before{TipStart};
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
            words.before.append(WatchingStart);
            if (report.sessionRunning) {
                words.AppendTime(LastPollStart, report.lastPage, LastPollEnd);
            } else {
                words.after.append(BySyslog);
            }
            break;
        case WatchState::Blind:
            if (report.cannotListen) {
                words.Say(CannotListenTip);
            } else if (IsRefusal(report.failure)) {
                words.Say(PasswordRefusedTip);
            } else if (report.failure == PollResult::LoginDisabled) {
                words.Say(LoginDisabledTip);
            } else {
                words.before.append(CannotReachStart);
                words.AppendTime(SinceWord, report.blindSince, {});
            }
            break;
        case WatchState::Idle: words.Say(IdleTip); break;
    }
    return words;
}

std::string_view LostRouterReason(const WatchReport& report) {
    if (report.cannotListen) return CannotListenReason;
    switch (report.failure) {
        case PollResult::SocketError: return SocketErrorReason;
        case PollResult::InvalidPassword:
        case PollResult::AuthorizationFailed: return PasswordRefusedReason;
        case PollResult::LoginDisabled: return LoginDisabledReason;
        case PollResult::PageMoved: return PageMovedReason;
        case PollResult::Failed: return PollFailedReason;
        case PollResult::GotPage:
        case PollResult::CannotConnect:
        case PollResult::NoAnswer: break;
    }
    return NoAnswerReason;
}
}  // namespace

std::string TrayTipText(const WatchReport& report, std::string_view routerAddress, std::uint64_t attemptsToday) {
    TipWords words = StateWords(report);
    if (attemptsToday > 0) {
        words.after.append(AttemptsStart).append(std::to_string(attemptsToday));
        words.after.append(attemptsToday == 1 ? OneAttemptToday : AttemptsToday);
    }
    return Fitted(words.before, words.namesAddress ? routerAddress : std::string_view(), words.after,
                  MaxTrayTipLength);
}

std::string LostRouterBalloonText(const WatchReport& report, std::string_view routerAddress) {
    std::string after(ReasonSeparator);
    after.append(LostRouterReason(report));
    return Fitted(LostRouterStart, routerAddress, after, MaxBalloonTextLength);
}
