#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dotted decimal form of an IPv4 address given in network byte order bytes.
std::string FormatIpv4(const std::uint8_t (&bytes)[4]);

// Four dot-separated decimal parts of one to three digits, each 0-255, and nothing else.
bool IsDottedIpv4(std::string_view text);

// The address as a number, first part highest (207.71.92.221 is 0xCF475CDD);
// nothing unless IsDottedIpv4.
std::optional<std::uint32_t> Ipv4Value(std::string_view text);
