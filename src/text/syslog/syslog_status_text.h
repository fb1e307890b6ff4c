#pragma once
#include <cstdint>
#include <string>

// What the Syslog window's status line says of the receiver.
struct SyslogStatusFacts {
    bool enabled = false;
    bool listening = false;
    std::uint16_t port = 0;
    std::uint64_t messages = 0;
    std::uint64_t refused = 0;
    std::string failure;  // the system's text for why it cannot listen
};

// "Listening on UDP and TCP port 514: 1,234 messages, 2 refused from other
// addresses", "Cannot listen on port 514: <the system's text>", or that it is off.
std::string SyslogStatusText(const SyslogStatusFacts& facts);

// "1,234,567": counts as people read them.
std::string GroupedDigits(std::uint64_t number);
