#pragma once
#include <functional>
#include <optional>
#include <string>

#include "logupdate/log_page_reading.h"
#include "message_port.h"
#include "system_port.h"
#include "tray/watch_tracker.h"

// What a poll needs, copied from the GUI thread as it starts.
struct PollRequest {
    std::string routerAddress;
    std::string password;
    LogPageContext page;
};

// What a poll gives back.
struct PollOutcome {
    // An error text in place of the log, or empty.
    std::string notice;
    // The log page read, when the router gave one.
    std::optional<LogPageReading> page;
    // How the poll ended, decided where it ended; nothing counts as seen
    // unless the poll says so.
    PollResult result = PollResult::Failed;
};

// One poll, on the calling thread (a worker): connects, fetches the log
// page, logs in when the router asks, and reads the page. It touches no
// window: showStatus receives the status line's texts as they come, and
// messages the sockets layer's failure.
PollOutcome RunPoll(const PollRequest& request, SystemPort& clock, MessagePort& messages,
                    const std::function<void(const char*)>& showStatus);

// The forced logout's exchange, on the calling thread (a worker).
void RunLogout(const std::string& routerAddress, MessagePort& messages,
               const std::function<void(const char*)>& showStatus);
