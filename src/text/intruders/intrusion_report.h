#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One intrusion attempt as a log line reports it.
struct IntrusionReport {
    std::uint32_t address = 0;  // 207.71.92.221 is 0xCF475CDD
    std::string protocol;       // "UDP"; empty when the line does not say
    std::string port;           // "137"; empty when the line does not say
};

// Protocol and port longer than this are not taken: anyone on the LAN can
// shape a log line, and the table keeps these for every address (within the
// strings' own small buffer).
inline constexpr std::size_t kMaxReportFieldLength = 15;

// A protocol or port the table may keep: letters and digits, not too long.
bool IsPlainReportField(std::string_view field);

// "... Unrecognized access from 207.71.92.221:137 to UDP port 137 ..." gives
// {207.71.92.221, "UDP", "137"}; only a dotted IPv4 address counts.
std::optional<IntrusionReport> ParseIntrusionReport(std::string_view line);

// "207.71.92.221"
std::string AddressText(std::uint32_t address);
