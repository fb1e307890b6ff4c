#include "log_file_sink.h"

#include <algorithm>

#include "syslog/syslog_update.h"

void LogFileSink::OnSyslogRecords(std::vector<SyslogRecord> batch) {
    const auto now = std::chrono::steady_clock::now();
    if (records == 0) first_ = now;
    // The program's own way from received messages to router.log's lines.
    const LogUpdate update = SyslogUpdate(batch, {DateFormat::Long, false}, false);
    const std::string& lines = update.lines.fileText;
    std::uint64_t seen = 0;
    for (const auto& record : update.records) seen += record.intrusion;
    const auto written = files_.AppendToFile(path_, lines);
    if (written != lines.size()) lost += static_cast<std::uint64_t>(std::count(lines.begin() + written, lines.end(), '\n'));
    attempts += seen;
    records += batch.size();
    spanMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - first_).count();
}
