#include "syslog/syslog_log_line.h"

#include "intruders/intrusion_report.h"
#include "logpage/log_line_renderer.h"

namespace {
constexpr std::string_view TimeSeparator = " - ";
constexpr std::string_view LineEnd = "\r\n";

void AppendSource(std::string& out, std::string_view host, std::uint32_t sender) {
    if (host.empty()) {
        out += AddressText(sender);
    } else {
        out += host;
    }
}
}  // namespace

void AppendSyslogLogLine(std::string& out, std::int64_t received, DateFormat format, std::string_view host,
                         std::uint32_t sender, std::string_view text) {
    AppendLocalTime(out, static_cast<std::int32_t>(received), format);
    out += TimeSeparator;
    AppendSource(out, host, sender);
    out += ' ';
    out += text;
    out += LineEnd;
}

LogEntry SyslogLogEntry(std::int64_t received, std::string_view host, std::uint32_t sender, std::string_view text) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    entry.time = static_cast<std::int32_t>(received);
    AppendSource(entry.message, host, sender);
    entry.message += ' ';
    entry.message += text;
    return entry;
}
