// The intruder's address read from any log screen text.
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "logpage/intruder_address.h"
#include "logpage/intrusion_marker.h"
#include "router/ipv4_text.h"

namespace {
constexpr std::string_view WhiteSpace = " \t\r\n\v\f";

bool IsWhiteSpace(char c) { return WhiteSpace.find(c) != std::string_view::npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = FuzzInput(data, size).Rest();
    const auto address = ExtractIntruderAddress(text);
    if (!address) return 0;

    const auto marker = text.find(IntrusionMarker);
    FuzzCheck(marker != std::string_view::npos, "an address only from an intrusion report");
    const auto from = text.find("from", marker);
    FuzzCheck(from != std::string_view::npos, "an address only after \"from\"");
    // It lies before the first "to" that follows, and before a colon there.
    const auto to = text.find("to", from);
    FuzzCheck(to != std::string_view::npos, "an address only before \"to\"");
    const auto between = text.substr(from, to - from);
    FuzzCheck(between.find(':') != std::string_view::npos, "a port's colon before \"to\"");
    FuzzCheck(address->find("to") == std::string::npos, "the address ends before \"to\"");
    FuzzCheck(between.find(*address) != std::string_view::npos, "the address comes from that span");
    FuzzCheck(IsDottedIpv4(*address), "only a dotted IPv4 address");
    if (!address->empty()) {
        FuzzCheck(!IsWhiteSpace(address->front()) && !IsWhiteSpace(address->back()), "address trimmed");
    }
    return 0;
}
