#include <gtest/gtest.h>

#include "router/router_address.h"

namespace {

void ExpectSplit(const std::string& address, const std::string& host, std::uint32_t port) {
    RouterAddress split = SplitRouterAddress(address);
    EXPECT_EQ(split.host, host) << address;
    EXPECT_EQ(split.port, port) << address;
}

TEST(RouterAddress, PortFromLeadingDigitsAfterFirstColon) {
    ExpectSplit("192.168.123.254", "192.168.123.254", 80);
    ExpectSplit("192.168.123.254:8080", "192.168.123.254", 8080);
    ExpectSplit("192.168.123.254:81x", "192.168.123.254", 81);
    ExpectSplit("router.home:0080", "router.home", 80);
    ExpectSplit("a:12:34", "a", 12);
}

TEST(RouterAddress, NoDigitsAfterColonGivePortZero) {
    ExpectSplit("192.168.123.254:", "192.168.123.254", 0);
    ExpectSplit("192.168.123.254:abc", "192.168.123.254", 0);
    ExpectSplit(":", "", 0);
    ExpectSplit("", "", 80);
}

}  // namespace
