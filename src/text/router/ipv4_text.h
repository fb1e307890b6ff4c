#pragma once
#include <cstdint>
#include <string>

// Dotted decimal form of an IPv4 address given in network byte order bytes.
std::string FormatIpv4(const std::uint8_t (&bytes)[4]);
