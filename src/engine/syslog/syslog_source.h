#pragma once
#include <condition_variable>
#include <functional>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "logupdate/log_publisher.h"
#include "options/options.h"
#include "syslog/syslog_receiver.h"
#include "system_port.h"
#include "tray/watch_tracker.h"

// The syslog receiver as the program runs it: on, off or on another port as
// the options say, whether or not a session polls the log page; its batches
// become log updates for the publisher, on the GUI thread. A flood waits for
// the GUI thread rather than piling up: at most two batches are on their way.
class SyslogSource : private SyslogSink {
public:
    SyslogSource(SystemPort& system, LogPublisher& publisher, const Options& options);
    ~SyslogSource() override;
    SyslogSource(const SyslogSource&) = delete;
    SyslogSource& operator=(const SyslogSource&) = delete;

    // GUI thread. Starts, restarts or stops the receiver as the options say.
    void Apply();
    // The router's address or "Accept from" changed: the rule holds for the
    // next message, without a restart.
    void ApplySenderRule();
    void Stop();
    SyslogStatus Status() const { return receiver_.Status(); }
    // Off, listening or unable to; told to the listener at every change.
    SyslogState State() const;
    void SetStateListener(std::function<void(SyslogState)> listener) { stateListener_ = std::move(listener); }

private:
    static constexpr int kMaxBatchesOnTheirWay = 2;

    void OnSyslogRecords(std::vector<SyslogRecord> records) override;
    void Publish(const std::vector<SyslogRecord>& records);
    void TellState();

    SystemPort& system_;
    LogPublisher& publisher_;
    const Options& options_;
    SyslogReceiver receiver_;
    std::optional<std::uint16_t> runningPort_;  // GUI thread
    std::function<void(SyslogState)> stateListener_;

    std::mutex mutex_;
    std::condition_variable published_;
    int batchesOnTheirWay_ = 0;  // under mutex_
    bool stopping_ = false;      // under mutex_
};
