#include <gtest/gtest.h>

#include "multi_string.h"

using namespace std::string_literals;

TEST(MultiString, SplitsStoredBytesWhateverTheirEnd) {
    const struct {
        std::string bytes;
        std::vector<std::string> entries;
    } cases[] = {
        {"10.0.0.0/8\0" "192.0.2.5\0\0"s, {"10.0.0.0/8", "192.0.2.5"}},
        {"a\0b\0"s, {"a", "b"}},
        {"a\0b"s, {"a", "b"}},
        {"\0\0a\0\0\0b\0\0"s, {"a", "b"}},
        {"\0"s, {}},
        {""s, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitMultiString(c.bytes), c.entries) << c.bytes;
}

TEST(MultiString, JoinsEntriesEachWithAZeroByteAndOneMore) {
    EXPECT_EQ(JoinMultiString({"10.0.0.0/8", "192.0.2.5"}), "10.0.0.0/8\0" "192.0.2.5\0\0"s);
    EXPECT_EQ(JoinMultiString({}), "\0"s);
    EXPECT_EQ(JoinMultiString({"", "a", "x\0y"s}), "a\0\0"s);
}
