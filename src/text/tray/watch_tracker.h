#pragma once
#include <cstdint>
#include <optional>

// What the tray icon shows.
enum class WatchState {
    Watching,  // the running session's last poll got the log page, or the syslog receiver listens
    Blind,     // the session's last two polls failed, or the syslog receiver cannot listen
    Idle,      // no session runs and the syslog receiver is off
};

// How one poll of the router's log page ended.
enum class PollResult {
    GotPage,
    CannotConnect,
    NoAnswer,  // connected, but no answer came: silent, closed at once, or not HTTP
    SocketError,
    PageMoved,  // the router sends the page to another address
    InvalidPassword,
    LoginDisabled,
    AuthorizationFailed,
    Failed,  // the poll itself failed on its worker
};

enum class SyslogState { Off, Listening, CannotListen };

// The balloon an event calls for: one per change, never one per poll.
enum class WatchBalloon {
    None,
    LostRouter,    // into blind, from watching or from idle (a session that
                   // starts blind, a receiver that cannot listen when turned on)
    RouterAgain,   // from blind back to watching
};

// All that the tray's words need (see tray_texts.h).
struct WatchReport {
    WatchState state = WatchState::Idle;
    bool sessionRunning = false;
    // Blind through the session: its latest failure, and when the run of
    // failures began (seconds). GotPage when the session is not blind.
    PollResult failure = PollResult::GotPage;
    // Blind through the receiver alone (a blind session goes first).
    bool cannotListen = false;
    std::int64_t blindSince = 0;
    // When the running session's last poll got the page; nothing before the first.
    std::optional<std::int64_t> lastPage;
};

// Fed every event in order; says what the icon shows and when a balloon is due.
//
//   WatchTracker watch;
//   watch.SessionStarted();  balloon = watch.PollEnded(result, now);  (after each poll)
//   tray.ShowTrayImage(image of watch.Report().state); tip = TrayTipText(watch.Report(), ...);
//   if (balloon == WatchBalloon::LostRouter) balloon text = LostRouterBalloonText(watch.Report(), ...);
//
// One failed poll is forgiven (a router busy for a moment): the session goes
// blind at its second failure in a row and sees again at its next page. A
// session that has not polled yet counts as watching. Stopping the session
// or turning the receiver off calls for no balloon: the user did it.
class WatchTracker {
public:
    WatchBalloon SessionStarted();
    WatchBalloon SessionStopped();
    WatchBalloon PollEnded(PollResult result, std::int64_t now);
    WatchBalloon SyslogChanged(SyslogState receiver, std::int64_t now);

    WatchReport Report() const;

private:
    WatchBalloon After(WatchState before) const;
    WatchState State() const;
    bool SessionBlind() const;

    bool running_ = false;
    int failuresInRow_ = 0;
    PollResult lastFailure_ = PollResult::GotPage;
    std::int64_t failingSince_ = 0;
    std::optional<std::int64_t> lastPage_;
    SyslogState receiver_ = SyslogState::Off;
    std::int64_t cannotListenSince_ = 0;
};
