#include <gtest/gtest.h>

#include "intruders/ignore_list.h"

TEST(AddressBlock, ReadsBlocksAndAddressesAndRefusesMalformedOnes) {
    const struct {
        const char* text;
        AddressBlock block;
        const char* canonical;
    } cases[] = {
        {"203.0.113.0/24", AddressBlock{0xCB007100, 24}, "203.0.113.0/24"},
        {" 203.0.113.7\t", AddressBlock{0xCB007107, 32}, "203.0.113.7"},
        {"203.0.113.7/32", AddressBlock{0xCB007107, 32}, "203.0.113.7"},
        {"203.0.113.7/24", AddressBlock{0xCB007100, 24}, "203.0.113.0/24"},
        {"10.200.0.1/9", AddressBlock{0x0A800000, 9}, "10.128.0.0/9"},
        {"198.51.100.9/0", AddressBlock{0, 0}, "0.0.0.0/0"},
        {"255.255.255.255", AddressBlock{0xFFFFFFFF, 32}, "255.255.255.255"},
        {"0.0.0.0", AddressBlock{0, 32}, "0.0.0.0"},
    };
    for (const auto& c : cases) {
        const auto block = ParseAddressBlock(c.text);
        ASSERT_TRUE(block) << c.text;
        EXPECT_EQ(*block, c.block) << c.text;
        EXPECT_EQ(AddressBlockText(*block), c.canonical) << c.text;
    }
    for (const char* malformed : {"", "203.0.113.0/33", "256.0.0.1", "1.2.3", "1.2.3.4.5", "1..3.4", "1.2.3.4/", "/24",
                                  "1.2.3.4/24/8", "1.2.3.4 /24", "1.2. 3.4", "01.2.3.4", "1.2.3.4/08", "1.2.3.4/-1",
                                  "1.2.3.4x", "1.2.3.1000"}) {
        EXPECT_EQ(ParseAddressBlock(malformed), std::nullopt) << malformed;
    }
}

TEST(AddressBlock, ContainsExactlyItsAddresses) {
    const struct {
        AddressBlock block;
        std::uint32_t address;
        bool contained;
    } cases[] = {
        {{0, 0}, 0, true},
        {{0, 0}, 0xFFFFFFFF, true},
        {{0xCB007107, 32}, 0xCB007107, true},
        {{0xCB007107, 32}, 0xCB007106, false},
        {{0xCB007100, 24}, 0xCB0071FF, true},
        {{0xCB007100, 24}, 0xCB007200, false},
        {{0xCB007100, 24}, 0xCB0070FF, false},
        {{0x80000000, 1}, 0xFFFFFFFF, true},
        {{0x80000000, 1}, 0x7FFFFFFF, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.block.Contains(c.address), c.contained) << AddressBlockText(c.block) << " " << c.address;
    }
}

TEST(IgnoreList, SkipsMalformedEntriesKeepsEachBlockOnceAndRemovesByAnySpelling) {
    IgnoreList list({"10.0.0.0/8", "junk", "10.1.2.3/8", "", "192.0.2.5", "192.0.2.300"});
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"10.0.0.0/8", "192.0.2.5"}));
    EXPECT_TRUE(list.Ignores(0x0AFF0001));
    EXPECT_TRUE(list.Ignores(0xC0000205));
    EXPECT_FALSE(list.Ignores(0xC0000206));

    EXPECT_FALSE(list.Add("1.2.3.4/33"));
    EXPECT_TRUE(list.Add(" 198.51.100.0/24 "));
    EXPECT_TRUE(list.Add("192.0.0.0/16"));
    EXPECT_EQ(list.Covering(0xC0000205), (std::vector<std::string>{"192.0.2.5", "192.0.0.0/16"}));
    EXPECT_TRUE(list.Remove("192.0.0.0/16"));
    EXPECT_TRUE(list.Remove("10.9.9.9/8"));
    EXPECT_FALSE(list.Remove("10.0.0.0/8"));
    EXPECT_FALSE(list.Ignores(0x0AFF0001));
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"192.0.2.5", "198.51.100.0/24"}));
}
