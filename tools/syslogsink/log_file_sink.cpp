#include "log_file_sink.h"

#include <algorithm>

#include "intruders/intrusion_recognizer.h"
#include "syslog/syslog_log_line.h"

void LogFileSink::OnSyslogRecords(std::vector<SyslogRecord> batch) {
    const auto now = std::chrono::steady_clock::now();
    if (records == 0) first_ = now;
    lines_.clear();
    std::uint64_t seen = 0;
    for (const auto& record : batch) {
        seen += IsIntrusionAttempt(record.text);
        AppendSyslogLogLine(lines_, record.received, DateFormat::Long, record.host, record.sender, record.text);
    }
    const auto written = files_.AppendToFile(path_, lines_);
    if (written != lines_.size()) lost += static_cast<std::uint64_t>(std::count(lines_.begin() + written, lines_.end(), '\n'));
    attempts += seen;
    records += batch.size();
    spanMs = std::chrono::duration_cast<std::chrono::milliseconds>(now - first_).count();
}
