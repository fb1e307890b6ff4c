#include "intruders/intrusion_balloon_text.h"

#include <string_view>

namespace {
constexpr std::string_view ProtocolSeparator = ", ";
constexpr std::string_view PortWord = " port ";
constexpr std::string_view MoreStart = " and ";
constexpr std::string_view MoreEnd = " more";
}  // namespace

std::string IntrusionBalloonText(const IntrusionReport& latest, std::size_t moreCount) {
    std::string text = AddressText(latest.address);
    if (!latest.protocol.empty() && !latest.port.empty()) {
        text.append(ProtocolSeparator).append(latest.protocol).append(PortWord).append(latest.port);
    }
    if (moreCount > 0) text.append(MoreStart).append(std::to_string(moreCount)).append(MoreEnd);
    return text;
}
