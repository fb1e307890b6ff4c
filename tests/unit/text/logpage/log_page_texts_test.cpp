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

TEST(LogPageTexts, IntruderAddressDropsThePort) {
    EXPECT_EQ(ExtractIntruderAddress("May 01 - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n"),
              "10.1.2.3");
    EXPECT_EQ(ExtractIntruderAddress("Unrecognized access from  255.0.0.9:443  to x"), "255.0.0.9");
    // The first "from" and "to" after the marker count, wherever they stand.
    EXPECT_EQ(ExtractIntruderAddress("from 9.9.9.9:1 to Unrecognized access from 1.2.3.4:5 tomorrow to"), "1.2.3.4");
}

TEST(LogPageTexts, NoIntruderAddressWithoutMarkerFromToOrColon) {
    EXPECT_EQ(ExtractIntruderAddress("Connection from 10.1.2.3:1025 to TCP port 80"), std::nullopt);
    EXPECT_EQ(ExtractIntruderAddress("Unrecognized access to 10.1.2.3:1025"), std::nullopt);
    EXPECT_EQ(ExtractIntruderAddress("Unrecognized access from 10.1.2.3:1025"), std::nullopt);
    EXPECT_EQ(ExtractIntruderAddress("Unrecognized access from 10.1.2.3 to TCP:80"), std::nullopt);
}

TEST(LogPageTexts, OnlyADottedIpv4AddressIsTaken) {
    for (const char* crafted : {"x\" & calc & \"", "fe80::1", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..3.4", ".1.2.3",
                                "1.2.3.", "0001.2.3.4", "1.2.3.4 5", "1.2.+3.4", ""}) {
        EXPECT_EQ(ExtractIntruderAddress(std::string("Unrecognized access from ") + crafted + ":80 to x"), std::nullopt)
            << crafted;
    }
}
