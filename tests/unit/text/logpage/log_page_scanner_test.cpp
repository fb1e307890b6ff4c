#include <gtest/gtest.h>

#include <climits>

#include "logpage/log_page_scanner.h"
#include "unit/text/logpage/log_page_builder.h"

namespace {
constexpr std::int32_t R = 1000000;
constexpr auto T = LogEntry::Kind::Timed;
constexpr auto U = LogEntry::Kind::Untimed;

struct Entry {
    LogEntry::Kind kind;
    std::int32_t time;  // 0 for untimed entries
    std::string text;   // the message, or an untimed entry's text
};

std::size_t TextBytes(const std::vector<LogEntry>& entries) {
    std::size_t bytes = 0;
    for (const auto& entry : entries) bytes += entry.text.size() + entry.message.size();
    return bytes;
}
}  // namespace

TEST(LogPageScanner, PagesAndTheirEntries) {
    struct Case {
        std::string page;
        std::int32_t reference;
        std::vector<Entry> entries;
    };
    const Case cases[] = {
        // Only calls after the log marker count.
        {"L1('Header');<BR><PRE>L1('Line');", R, {{U, 0, "Line"}}},
        {"L1('Line');", R, {}},
        // A timed entry drops the character after the quote; nothing left, an empty message.
        {LogPage(L2(65000, "Event one")), R, {{T, R - 65, "Event one"}}},
        {"<BR><PRE>L2(5,'');L2(6,');", R, {{T, R, ""}, {T, R, ""}}},
        // Ages in milliseconds truncate toward zero; a negative one dates nothing ahead.
        {LogPage(L2(1999, "a") + L2(999, "b") + L2(-1500, "c")), R, {{T, R - 1, "a"}, {T, R, "b"}, {T, R, "c"}}},
        {"<BR><PRE>L2(-2000000000,' late');L2(abc,' now');", INT32_MAX - 5, {{T, INT32_MAX - 5, "late"}, {T, INT32_MAX - 5, "now"}}},
        // The entry's time clamps rather than wrapping.
        {"<BR><PRE>L2(99999999999,' early');", INT32_MIN + 5, {{T, INT32_MIN, "early"}}},
        // Control characters would start lines of the router's making: blanks in both kinds.
        {"<BR><PRE>L1('a\rb\nc\td\x7f" "e\x01');L2(2000,' x\r\n2001/03/05 - 09:06 - Unrecognized\x1f\x0b');", R,
         {{U, 0, "a b c d e "}, {T, R - 2, "x  2001/03/05 - 09:06 - Unrecognized  "}}},
        // A missing terminator runs to the end and stops.
        {"<BR><PRE>L1('first');L2(3000,' no end L1('inner", R, {{U, 0, "first"}, {T, R - 3, "no end L1('inner"}}},
        // A timed call without its separator is untimed.
        {"<BR><PRE>L1('a');L2(1234 lost');L1('b');", R, {{U, 0, "a"}, {U, 0, "1234 lost"}, {U, 0, "b"}}},
        // A call inside an entry is taken as the next entry.
        {"<BR><PRE>L1('see L2(3000,'xmsg');L1('after');", R, {{U, 0, "see L2(3000,'xmsg"}, {T, R - 3, "msg"}, {U, 0, "after"}}},
        // The separator search is not bounded by the terminator: the age spans it, the message is empty.
        {"<BR><PRE>L2(12');L1('x,'y');", R, {{T, R, ""}, {U, 0, "x,'y"}}},
    };
    for (const Case& c : cases) {
        const auto entries = ScanLogEntries(c.page, c.reference);
        ASSERT_EQ(entries.size(), c.entries.size()) << c.page;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& expected = c.entries[i];
            EXPECT_EQ(entries[i].kind, expected.kind) << c.page << " #" << i;
            EXPECT_EQ(entries[i].message + entries[i].text, expected.text) << c.page << " #" << i;
            EXPECT_EQ(entries[i].time, expected.time) << c.page << " #" << i;
            EXPECT_GE(entries[i].ageMs, 0) << c.page << " #" << i;
        }
    }
}

TEST(LogPageScanner, AgesAreReadLikeDecimalNumbersAndClampTo32Bits) {
    const std::pair<const char*, std::int32_t> ages[] = {
        {" \t+42abc", 42},          {"-7", -7},          {"x12", 0},
        {"", 0},                    {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-99999999999999999999999", INT32_MIN}};
    for (const auto& [text, age] : ages) EXPECT_EQ(ParseAgeMs(text), age) << text;
}

TEST(LogPageScanner, NestedCallsStopWithinTheTextAllowance) {
    // Each "L1(" lacks its terminator, so each entry holds the rest of the
    // page: some hundred gigabytes in all, were the scan to go on.
    std::string calls;
    for (int i = 0; i < 200000; ++i) calls += "L1(x";
    const std::string page = "<BR><PRE>" + calls + "');";

    const auto entries = ScanLogEntries(page, R);
    EXPECT_LE(TextBytes(entries), page.size() + kNestedCallTextAllowance);
    ASSERT_GE(entries.size(), 2u);
    // Those taken are whole: the first runs from its own text to the terminator.
    EXPECT_EQ(entries[0].text, calls.substr(4));
    EXPECT_EQ(entries[1].text, calls.substr(8));
}

TEST(LogPageScanner, CallsOneAfterAnotherKeepTheNewestEntriesWhateverTheSize) {
    // Well past the allowance itself: the bound follows the page's size.
    std::string calls;
    const int count = 3 * kMaxLogEntries;
    for (int i = 0; i < count; ++i) calls += L2(1000, "Unrecognized access from 10.0.0.1:1 to TCP port " + std::to_string(i));
    ASSERT_GT(calls.size(), kNestedCallTextAllowance);

    const auto entries = ScanLogEntries(LogPage(calls), R);
    ASSERT_EQ(entries.size(), kMaxLogEntries);
    EXPECT_EQ(entries.front().message, "Unrecognized access from 10.0.0.1:1 to TCP port 200000");
    EXPECT_EQ(entries.back().message, "Unrecognized access from 10.0.0.1:1 to TCP port 299999");
    // Never all the page's entries at once.
    EXPECT_LE(entries.capacity(), 2 * kMaxLogEntries);
}
