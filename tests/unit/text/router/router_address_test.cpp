#include <gtest/gtest.h>

#include "router/router_address.h"

TEST(RouterAddress, PortFromLeadingDigitsAfterFirstColonZeroWithoutThem) {
    const struct { const char *address, *host; std::uint32_t port; } cases[] = {{"192.168.123.254", "192.168.123.254", 80}, {"192.168.123.254:8080", "192.168.123.254", 8080},
                 {"router.home:0081x", "router.home", 81},   {"a:12:34", "a", 12},
                 {"192.168.123.254:abc", "192.168.123.254", 0}, {":", "", 0},
                 {"", "", 80}};
    for (const auto& c : cases) {
        const RouterAddress split = SplitRouterAddress(c.address);
        EXPECT_EQ(split.host, c.host) << c.address;
        EXPECT_EQ(split.port, c.port) << c.address;
    }
}
