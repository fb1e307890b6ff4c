#include <gtest/gtest.h>

#include "logpage/substring_filter.h"

// The filter may only speed the answer up, never change it.
TEST(LogSubstringFilter, AnswersExactlyLikeAPlainSearch) {
    const std::string text =
        "March 05, 2001, 09:05:07 AM - Unrecognized access from 10.1.2.3:1025 to TCP port 80\r\n"
        "March 05, 2001, 09:05:09 AM - Unrecognized access from 10.1.2.4:1025 to TCP port 80\r\n"
        "  detail line\r\n";
    const SubstringFilter filter(text);
    for (std::size_t length : {1u, 7u, 8u, 9u, 40u, 80u}) {
        for (std::size_t start = 0; start + length <= text.size(); start += 3) {
            std::string needle = text.substr(start, length);
            ASSERT_TRUE(filter.Contains(needle)) << needle;
            for (std::size_t at = 0; at < needle.size(); at += 5) {
                std::string changed = needle;
                changed[at] = changed[at] == '5' ? '6' : '5';
                ASSERT_EQ(filter.Contains(changed), text.find(changed) != std::string::npos) << changed;
            }
        }
    }
    EXPECT_TRUE(filter.Contains(""));
    EXPECT_FALSE(filter.Contains(text + "x"));
    EXPECT_FALSE(SubstringFilter("short").Contains("longer than the text"));
    EXPECT_TRUE(SubstringFilter("short").Contains("ort"));
}
