#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "syslog/syslog_batch_gate.h"
#include "syslog_listener.h"
#include "system_port.h"

// One received syslog message, ready for a log line.
struct SyslogRecord {
    std::int64_t received = 0;  // the PC's clock, seconds since 1970-01-01 UTC
    std::string host;           // as the message gives it; empty when it gives none
    std::string text;           // control characters blanked, tag kept
    std::uint32_t sender = 0;   // IPv4, first part highest
};

// Where batches of records go; called on the receiver's thread.
class SyslogSink {
public:
    virtual ~SyslogSink() = default;
    virtual void OnSyslogRecords(std::vector<SyslogRecord> records) = 0;
};

// What the status line says of the receiver.
struct SyslogStatus {
    bool listening = false;
    int errorCode = 0;         // the system's code when Start failed
    std::uint16_t port = 0;
    std::uint64_t messages = 0;  // accepted since Start
    std::uint64_t refused = 0;   // from senders the rule keeps out
    std::uint64_t dropped = 0;   // accepted, but came when the next batch was full
};

// Receives syslog on a port (UDP and TCP) on a thread of its own and hands
// the accepted messages, parsed and dated by the PC's clock, to the sink in
// batches. By default only the router's host is heard (the host of the
// router address, when it is a dotted IPv4 address); others are counted and
// dropped, never parsed.
class SyslogReceiver : private SyslogListenerEvents {
public:
    // With this much waiting for the next batch, connections are no longer
    // read; beyond twice as much (datagrams alone get there) messages are
    // dropped and counted.
    static constexpr std::size_t kFullPendingBytes = std::size_t{16} << 20;

    SyslogReceiver(SystemPort& system, SyslogSink& sink);
    ~SyslogReceiver() override;
    SyslogReceiver(const SyslogReceiver&) = delete;
    SyslogReceiver& operator=(const SyslogReceiver&) = delete;

    // Stops a running receiver first, so a new port or rule applies at once;
    // the counts start again. Port 0 takes any free port. False when the
    // port cannot be had: the status holds the system's error code.
    bool Start(std::uint16_t port, const std::string& routerAddress, bool anySender);
    // Hands on what still waits, then ends the thread.
    void Stop();
    // Whom to hear from the next message on, without a restart.
    void SetSenderRule(const std::string& routerAddress, bool anySender);
    SyslogStatus Status() const;

private:
    void OnSyslogMessage(std::string_view message, std::uint32_t sender) override;
    void OnSyslogWaitEnded(bool stopping) override;
    bool AcceptsMore() override;
    bool Accepts(std::uint32_t sender) const;

    SystemPort& system_;
    SyslogSink& sink_;
    SyslogListener listener_;

    // Whom the listener's thread hears: any sender, or the router's address
    // in the low 32 bits with kRouterKnown set, changed whole.
    static constexpr std::uint64_t kAnySender = std::uint64_t{1} << 33;
    static constexpr std::uint64_t kRouterKnown = std::uint64_t{1} << 32;
    std::atomic<std::uint64_t> senderRule_{0};

    std::atomic<std::uint64_t> messages_{0};
    std::atomic<std::uint64_t> refused_{0};
    std::atomic<std::uint64_t> dropped_{0};
    mutable std::mutex mutex_;
    bool listening_ = false;  // under mutex_
    int errorCode_ = 0;       // under mutex_
    std::uint16_t port_ = 0;  // under mutex_

    // The listener's thread alone.
    std::vector<SyslogRecord> pending_;
    std::size_t pendingBytes_ = 0;
    SyslogBatchGate gate_;
};
