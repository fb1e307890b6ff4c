#pragma once
#include <cstdint>
#include <string_view>

#include "logpage/log_entry.h"

// A received syslog message as a timed log entry, dated when the PC received
// it: its message is the host and the text ("<host> <text>"), so that its
// line looks like a log page's. The sender's dotted address stands in for a
// host the message does not name.
LogEntry SyslogLogEntry(std::int64_t received, std::string_view host, std::uint32_t sender, std::string_view text);
