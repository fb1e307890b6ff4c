#pragma once
#include <cstdint>
#include <string>

// The router address as the user types it: a host, optionally a colon and a port.
struct RouterAddress {
    std::string host;
    std::uint32_t port = 80;
};

inline constexpr std::uint32_t kDefaultRouterPort = 80;

// Splits at the first colon; the port is the value of the leading digits after
// it (0 when there are none), 80 when there is no colon. A value past 65535 is
// 0 too, where narrowing it would reach another port (65616 would be 80).
RouterAddress SplitRouterAddress(const std::string& address);
