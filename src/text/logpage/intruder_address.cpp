#include "logpage/intruder_address.h"

#include "logpage/intrusion_marker.h"
#include "router/ipv4_text.h"
#include "text_trim.h"

namespace {
constexpr std::string_view kFromWord = "from";
constexpr std::string_view kToWord = "to";
// The address starts one blank after "from".
constexpr std::size_t kAddressOffset = 4;
}

std::optional<IntruderAddressPlace> FindIntruderAddress(std::string_view text) {
    constexpr auto kNone = std::string_view::npos;
    const auto marker = text.find(kIntrusionMarker);
    if (marker == kNone) return std::nullopt;
    const auto from = text.find(kFromWord, marker);
    if (from == kNone) return std::nullopt;
    const auto to = text.find(kToWord, from);
    if (to == kNone) return std::nullopt;

    const auto start = from + kAddressOffset;
    const auto between = start < to ? text.substr(start, to - start) : std::string_view();
    const auto colon = between.rfind(':');
    if (colon == kNone) return std::nullopt;
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
