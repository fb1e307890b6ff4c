#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

#include "local_files.h"
#include "syslog/syslog_receiver.h"

// Appends each batch to a file as router.log lines, one append a batch, and
// counts what it wrote and the attempts the recognizer saw.
class LogFileSink : public SyslogSink {
public:
    explicit LogFileSink(std::string path) : path_(std::move(path)) {}
    void OnSyslogRecords(std::vector<SyslogRecord> records) override;

    std::atomic<std::uint64_t> records{0};
    std::atomic<std::uint64_t> attempts{0};
    std::atomic<std::uint64_t> lost{0};  // lines the file did not take
    // From the first batch's arrival to the last one's, in milliseconds.
    std::atomic<std::int64_t> spanMs{0};

private:
    const std::string path_;
    LocalFiles files_;
    std::chrono::steady_clock::time_point first_;
};
