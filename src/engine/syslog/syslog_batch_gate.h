#pragma once
#include <cstdint>
#include <optional>

// Received syslog goes on in batches: what arrived together as one, and in a
// flood at most one batch per interval, never one per message.
inline constexpr std::uint32_t kSyslogBatchIntervalMs = 500;

class SyslogBatchGate {
public:
    // Whether a batch may go out at this tick count (milliseconds, wrapping
    // at 32 bits): the first at once, each later one an interval after the last.
    bool IsOpen(std::uint32_t now) const { return !last_ || now - *last_ >= kSyslogBatchIntervalMs; }
    void Delivered(std::uint32_t now) { last_ = now; }

private:
    std::optional<std::uint32_t> last_;
};
