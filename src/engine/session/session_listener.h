#pragma once
#include <cstdint>

#include "session/poll.h"

// What the session tells the windows around it. GUI thread.
class SessionListener {
public:
    virtual ~SessionListener() = default;
    // The session was started (true) or stopped.
    virtual void OnSessionRunning(bool running) = 0;
    // A poll's result: a notice, or the page's update, for the log.
    virtual void OnPollOutcome(const PollOutcome& outcome) = 0;
    // The remembered time moved: worth keeping at once.
    virtual void OnLastDateChanged(std::int32_t lastDate) = 0;
    // A poll ended, however it went (the forced logout is no poll).
    virtual void OnPollFinished(PollResult result) = 0;
};
