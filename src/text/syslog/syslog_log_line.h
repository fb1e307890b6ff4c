#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "logpage/date_text.h"
#include "logpage/log_entry.h"

// "<date> - <host> <text>" and a line end: a syslog message as the log
// screen and router.log show it, dated when the PC received it. The sender's
// dotted address stands in for a host the message does not name.
void AppendSyslogLogLine(std::string& out, std::int64_t received, DateFormat format, std::string_view host,
                         std::uint32_t sender, std::string_view text);

// The same message as a timed log entry, for the log pipeline to render.
LogEntry SyslogLogEntry(std::int64_t received, std::string_view host, std::uint32_t sender, std::string_view text);
