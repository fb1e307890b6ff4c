#include "intruders/intrusion_report.h"

#include <algorithm>

#include "logpage/intruder_address.h"
#include "router/ipv4_text.h"

namespace {
constexpr std::string_view kToWord = "to";
constexpr std::string_view kPortWord = "port";
constexpr std::string_view kBlank = " ";

bool IsAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The next blank-separated word, or empty when it is too long or holds
// anything but letters and digits.
std::string_view NextWord(std::string_view& text) {
    text.remove_prefix(std::min(text.find_first_not_of(kBlank), text.size()));
    const auto word = text.substr(0, text.find_first_of(kBlank));
    text.remove_prefix(word.size());
    return IsPlainReportField(word) ? word : std::string_view();
}

// "to UDP port 137": both or neither.
void ReadProtocolAndPort(std::string_view rest, IntrusionReport& report) {
    rest.remove_prefix(kToWord.size());
    const auto protocol = NextWord(rest);
    const auto port = NextWord(rest) == kPortWord ? NextWord(rest) : std::string_view();
    if (protocol.empty() || port.empty()) return;
    report.protocol = protocol;
    report.port = port;
}
}  // namespace

std::optional<IntrusionReport> ParseIntrusionReport(std::string_view line) {
    const auto place = FindIntruderAddress(line);
    if (!place) return std::nullopt;
    IntrusionReport report;
    report.address = *Ipv4Value(place->address);
    ReadProtocolAndPort(place->rest, report);
    return report;
}

bool IsPlainReportField(std::string_view field) {
    return field.size() <= kMaxReportFieldLength && std::all_of(field.begin(), field.end(), IsAlphanumeric);
}

std::string AddressText(std::uint32_t address) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
                                   static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)};
    return FormatIpv4(bytes);
}
