#include <gtest/gtest.h>

#include "logpage/authorization_check.h"
#include "logpage/intruder_address.h"
#include "logpage/wan_type_extractor.h"

TEST(LogPageTexts, WanTypeIsTheTrimmedTextBeforeTheLineBreak) {
    EXPECT_EQ(ExtractWanType("x WAN Type:   ABC  <BR>y<BR>"), "ABC");
    EXPECT_EQ(ExtractWanType("WAN Type:\t\r\nDynamic IP Address\v\f<BR>"), "Dynamic IP Address");
    EXPECT_EQ(ExtractWanType("WAN Type: ABC"), "");
    EXPECT_EQ(ExtractWanType("Wan Type: ABC<BR>"), "*** Parser error");
}

TEST(LogPageTexts, RefusalPageIsRecognisedAnywhere) {
    EXPECT_TRUE(IsAuthorizationRequired("HTTP/1.0 401 Authorization Required\r\n\r\n"));
    EXPECT_TRUE(IsAuthorizationRequired("<BR><PRE>L1('Authorization Required');"));
    EXPECT_FALSE(IsAuthorizationRequired("HTTP/1.0 401 authorization required"));
}

// The address after the first intrusion's "from", without its port; only a
// dotted IPv4 address reaches the argument box.
TEST(LogPageTexts, IntruderAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"May 01 - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n", "10.1.2.3"},
        {"Unrecognized access from  255.0.0.9:443  to x", "255.0.0.9"},
        {"from 9.9.9.9:1 to Unrecognized access from 1.2.3.4:5 tomorrow to", "1.2.3.4"},
        {"Connection from 10.1.2.3:1025 to TCP port 80", nullptr},
        {"Unrecognized access to 10.1.2.3:1025", nullptr},
        {"Unrecognized access from 10.1.2.3:1025", nullptr},
        {"Unrecognized access from 10.1.2.3 to TCP:80", nullptr},
    };
    for (const auto& [text, address] : cases) {
        EXPECT_EQ(ExtractIntruderAddress(text), address ? std::optional<std::string>(address) : std::nullopt) << text;
    }
    for (const char* crafted : {"x\" & calc & \"", "fe80::1", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..3.4", ".1.2.3",
                                "1.2.3.", "0001.2.3.4", "1.2.3.4 5", "1.2.+3.4", ""}) {
        EXPECT_EQ(ExtractIntruderAddress(std::string("Unrecognized access from ") + crafted + ":80 to x"), std::nullopt)
            << crafted;
    }
}
