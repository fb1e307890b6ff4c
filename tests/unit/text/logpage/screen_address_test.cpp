#include "logpage/screen_address.h"

#include <gtest/gtest.h>

// Only a dotted IPv4 address leaves the log screen for the argument box,
// which the shell may run as a command line.
TEST(ScreenAddress, OnlyADottedAddressLeavesTheScreen) {
    const std::optional<std::string> none;
    const struct {
        const char* selection;
        std::optional<std::string> address;
    } cases[] = {
        {"207.71.92.221:137", "207.71.92.221"},
        {"10.1.2.3", "10.1.2.3"},
        {"1.2.3.4&calc:80", none},
        {"1.2.3.4 & calc", none},
        {"256.1.2.3:80", none},
        {"1.2.3:80", none},
        {"1.2.3.4.5", none},
        {":80", none},
        {"", none},
    };
    for (const auto& c : cases) EXPECT_EQ(AddressFromSelection(c.selection), c.address) << c.selection;

    const std::string screen = "from 10.0.0.7:4123 to TCP port 23";
    EXPECT_EQ(AddressFromScreenSelection(screen, 5, 18), "10.0.0.7");
    EXPECT_EQ(AddressFromScreenSelection(screen, 18, 5), none);
    EXPECT_EQ(AddressFromScreenSelection(screen, screen.size() + 1, screen.size() + 9), none);
}
