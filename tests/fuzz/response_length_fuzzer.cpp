// The expected size of a response from any received bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "router/response_length.h"

namespace {
constexpr std::string_view HeaderEnd = "\r\n\r\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view received = FuzzInput(data, size).Rest();
    const auto expected = ExpectedResponseSize(received);
    const auto headerEnd = received.find(HeaderEnd);
    if (headerEnd == std::string_view::npos) {
        FuzzCheck(!expected, "no size before the headers end");
        return 0;
    }
    if (!expected) return 0;
    // The body starts after the blank line; a length only adds to that.
    FuzzCheck(*expected >= headerEnd + HeaderEnd.size(), "the size covers the headers");
    // The same headers with more body bytes arriving give the same size.
    const std::string more = std::string(received) + "tail";
    FuzzCheck(ExpectedResponseSize(more) == expected, "later bytes do not change the size");
    return 0;
}
