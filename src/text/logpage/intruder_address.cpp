#include "logpage/intruder_address.h"

#include "logpage/intrusion_marker.h"
#include "router/ipv4_text.h"
#include "text_trim.h"

namespace {
constexpr std::string_view FromWord = "from";
constexpr std::string_view ToWord = "to";
// The address starts one blank after "from".
constexpr std::size_t AddressOffset = 4;
}

std::optional<IntruderAddressPlace> FindIntruderAddress(std::string_view text) {
    constexpr auto none = std::string_view::npos;
    const auto marker = text.find(IntrusionMarker);
    if (marker == none) return std::nullopt;
    const auto from = text.find(FromWord, marker);
    if (from == none) return std::nullopt;
    const auto to = text.find(ToWord, from);
    if (to == none) return std::nullopt;

    const auto start = from + AddressOffset;
    const auto between = start < to ? text.substr(start, to - start) : std::string_view();
    const auto colon = between.rfind(':');
    if (colon == none) return std::nullopt;
    // Anyone on the LAN can shape a log line; only a plain address may reach
    // the argument box, and from there a command interpreter.
    const auto address = TrimWhiteSpace(between.substr(0, colon));
    if (!IsDottedIpv4(address)) return std::nullopt;
    return IntruderAddressPlace{address, text.substr(to)};
}

std::optional<std::string> ExtractIntruderAddress(std::string_view text) {
    const auto place = FindIntruderAddress(text);
    if (!place) return std::nullopt;
    return std::string(place->address);
}
