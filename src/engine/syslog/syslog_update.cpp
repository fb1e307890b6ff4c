#include "syslog/syslog_update.h"

#include <utility>

#include "syslog/syslog_log_line.h"

LogUpdate SyslogUpdate(const std::vector<SyslogRecord>& received, RenderOptions render, bool onlyIntrusion) {
    std::vector<LogEntry> entries;
    LogUpdate update;
    entries.reserve(received.size());
    update.records.reserve(received.size());
    for (const SyslogRecord& message : received) {
        LogEntry entry = SyslogLogEntry(message.received, message.host, message.sender, message.text);
        LogRecord record = RecordOf(entry.time, entry.message);
        if (onlyIntrusion && !record.intrusion) continue;
        entries.push_back(std::move(entry));
        update.records.push_back(std::move(record));
    }
    update.lines = RenderLogLines(entries, render);
    update.onlyIntrusion = onlyIntrusion;
    return update;
}
