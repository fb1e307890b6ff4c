// The router address split into host and port, from any typed text.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "router/router_address.h"

namespace {
// The port as the leading digits give it, in unsigned 32-bit arithmetic.
std::uint32_t LeadingDigits(const std::string& text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = (value * 10 + static_cast<std::uint64_t>(c - '0')) & 0xFFFFFFFFu;
    }
    return static_cast<std::uint32_t>(value);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string address(FuzzInput(data, size).Rest());
    const RouterAddress split = SplitRouterAddress(address);

    FuzzCheck(split.host.find(':') == std::string::npos, "the host ends at the first colon");
    const auto colon = address.find(':');
    if (colon == std::string::npos) {
        FuzzCheck(split.host == address && split.port == DefaultRouterPort, "no colon: the whole text, port 80");
        return 0;
    }
    FuzzCheck(split.host == address.substr(0, colon), "the host is the text before the colon");
    FuzzCheck(split.port == LeadingDigits(address.substr(colon + 1)), "the port is the leading digits");
    return 0;
}
