#include "router/router_address.h"

namespace {

constexpr std::uint32_t kMaxPort = 65535;

std::uint32_t PortValue(const std::string& text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        if (value > kMaxPort) return 0;
    }
    return value;
}

}  // namespace

RouterAddress SplitRouterAddress(const std::string& address) {
    std::string::size_type colon = address.find(':');
    if (colon == std::string::npos) return {address, kDefaultRouterPort};
    return {address.substr(0, colon), PortValue(address.substr(colon + 1))};
}
