#include "intruders/intrusion_balloon_text.h"

#include <string_view>

namespace {
constexpr std::string_view kProtocolSeparator = ", ";
constexpr std::string_view kPortWord = " port ";
constexpr std::string_view kMoreStart = " and ";
constexpr std::string_view kMoreEnd = " more";
}  // namespace

std::string IntrusionBalloonText(const IntrusionReport& latest, std::size_t moreCount) {
    std::string text = AddressText(latest.address);
    if (!latest.protocol.empty() && !latest.port.empty()) {
        text.append(kProtocolSeparator).append(latest.protocol).append(kPortWord).append(latest.port);
    }
    if (moreCount > 0) text.append(kMoreStart).append(std::to_string(moreCount)).append(kMoreEnd);
    return text;
}
