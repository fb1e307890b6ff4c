#include "tray/watch_tracker.h"

namespace {
constexpr int kFailuresToGoBlind = 2;
}

bool WatchTracker::SessionBlind() const {
    return running_ && failuresInRow_ >= kFailuresToGoBlind;
}

WatchState WatchTracker::State() const {
    if (SessionBlind() || receiver_ == SyslogState::CannotListen) return WatchState::Blind;
    if (running_ || receiver_ == SyslogState::Listening) return WatchState::Watching;
    return WatchState::Idle;
}

WatchBalloon WatchTracker::After(WatchState before) const {
    const WatchState now = State();
    if (now == WatchState::Blind && before != WatchState::Blind) return WatchBalloon::LostRouter;
    if (now == WatchState::Watching && before == WatchState::Blind) return WatchBalloon::RouterAgain;
    return WatchBalloon::None;
}

WatchBalloon WatchTracker::SessionStarted() {
    const WatchState before = State();
    running_ = true;
    failuresInRow_ = 0;
    lastPage_.reset();
    return After(before);
}

// Stopping is the user's doing: no balloon, whatever the icon shows next.
WatchBalloon WatchTracker::SessionStopped() {
    running_ = false;
    failuresInRow_ = 0;
    lastPage_.reset();
    return WatchBalloon::None;
}

WatchBalloon WatchTracker::PollEnded(PollResult result, std::int64_t now) {
    if (!running_) return WatchBalloon::None;
    const WatchState before = State();
    if (result == PollResult::GotPage) {
        failuresInRow_ = 0;
        lastPage_ = now;
    } else {
        if (failuresInRow_++ == 0) failingSince_ = now;
        lastFailure_ = result;
    }
    return After(before);
}

WatchBalloon WatchTracker::SyslogChanged(SyslogState receiver, std::int64_t now) {
    const WatchState before = State();
    if (receiver == SyslogState::CannotListen && receiver_ != SyslogState::CannotListen) {
        cannotListenSince_ = now;
    }
    receiver_ = receiver;
    // Turning the receiver off is the user's doing, like stopping a session.
    return receiver == SyslogState::Off ? WatchBalloon::None : After(before);
}

WatchReport WatchTracker::Report() const {
    WatchReport report;
    report.state = State();
    report.sessionRunning = running_;
    report.lastPage = lastPage_;
    if (SessionBlind()) {
        report.failure = lastFailure_;
        report.blindSince = failingSince_;
    } else if (receiver_ == SyslogState::CannotListen) {
        report.cannotListen = true;
        report.blindSince = cannotListenSince_;
    }
    return report;
}
