#pragma once
#include <cstdint>
#include <string>

#include "alerts/tray_animation.h"
#include "common/message_boxes.h"
#include "dialog_port.h"
#include "logupdate/log_screen.h"
#include "options/options.h"
#include "session/poll.h"
#include "session/session_listener.h"
#include "system_port.h"

// The polling of the router's log page: start/stop, the timer, polls on
// workers, "Get it Now" and the forced logout. It owns the session's state
// and the remembered time of the page's last entry. GUI thread; a poll's
// worker gets a request and posts its texts and outcome back.
class SessionController {
public:
    SessionController(DialogPort& mainDialog, SystemPort& system, MessageBoxes& boxes, const Options& options,
                      const LogScreen& screen, TrayAnimation& animation, SessionListener& listener);

    void ToggleSession();
    void OnSessionTick();
    void PollNow();
    void ForceLogout();

    bool Running() const { return running_; }
    std::int32_t LastDate() const { return lastDate_; }
    // The stored time, at start.
    void SetLastDate(std::int32_t lastDate) { lastDate_ = lastDate; }

private:
    bool StartPoll();
    bool PollIsDue(std::uint32_t now) const;
    PollRequest MakeRequest() const;
    void RunOnWorker(PollRequest request);
    void ApplyOutcome(const PollOutcome& outcome);
    void FinishPoll(PollResult result);
    void ShowStatus(const std::string& text);
    // A status line text from a worker, shown in its turn on the GUI thread.
    void PostStatus(const char* text);
    const char* IdleStatusText() const;

    DialogPort& mainDialog_;
    SystemPort& system_;
    MessageBoxes& boxes_;
    const Options& options_;
    const LogScreen& screen_;
    TrayAnimation& animation_;
    SessionListener& listener_;

    bool running_ = false;
    // A poll or a forced logout runs: at most one at a time.
    bool pollBusy_ = false;
    // The timer ends itself once no animation is pending.
    bool stopRequested_ = false;
    // When the last poll ended (tick count); 0 before the first.
    std::uint32_t lastPollEnd_ = 0;
    // The time of the last log entry handled; 0 when nothing is remembered.
    std::int32_t lastDate_ = 0;
    // The last page read this run held the entry at lastDate_.
    bool pageHeldLastDate_ = false;
};
