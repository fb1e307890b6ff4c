#include "syslog/syslog_log_line.h"

#include "intruders/intrusion_report.h"

LogEntry SyslogLogEntry(std::int64_t received, std::string_view host, std::uint32_t sender, std::string_view text) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    entry.time = static_cast<std::int32_t>(received);
    entry.message = host.empty() ? AddressText(sender) : std::string(host);
    entry.message += ' ';
    entry.message += text;
    return entry;
}
