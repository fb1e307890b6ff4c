#include <gtest/gtest.h>

#include "router/router_address.h"

TEST(RouterAddress, PortFromLeadingDigitsAfterFirstColonZeroWithoutThemOrPast16Bits) {
    const struct { const char *address, *host; std::uint32_t port; } cases[] = {{"192.168.123.254", "192.168.123.254", 80}, {"192.168.123.254:8080", "192.168.123.254", 8080},
                 {"router.home:0081x", "router.home", 81},   {"a:12:34", "a", 12},
                 {"192.168.123.254:abc", "192.168.123.254", 0}, {":", "", 0},
                 {"", "", 80},
                 // Narrowed to 16 bits, 65616 would be port 80: no port at all instead.
                 {"h:0", "h", 0}, {"h:1", "h", 1}, {"h:65535", "h", 65535}, {"h:65536", "h", 0}, {"h:65616", "h", 0},
                 {"h:4294967376", "h", 0}};
    for (const auto& c : cases) {
        const RouterAddress split = SplitRouterAddress(c.address);
        EXPECT_EQ(split.host, c.host) << c.address;
        EXPECT_EQ(split.port, c.port) << c.address;
    }
}
