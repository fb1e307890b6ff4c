#include <gtest/gtest.h>

#include <climits>

#include "logpage/log_page_scanner.h"
#include "unit/text/logpage/log_page_builder.h"

namespace {
constexpr std::int32_t R = 1000000;
using Kind = LogEntry::Kind;

void ExpectUntimed(const LogEntry& entry, const std::string& text) {
    EXPECT_EQ(entry.kind, Kind::Untimed);
    EXPECT_EQ(entry.text, text);
}

void ExpectTimed(const LogEntry& entry, std::int32_t time, const std::string& message) {
    EXPECT_EQ(entry.kind, Kind::Timed);
    EXPECT_EQ(entry.time, time);
    EXPECT_EQ(entry.message, message);
}
}  // namespace

TEST(LogPageScanner, ReadsOnlyCallsAfterTheLogMarker) {
    const auto entries = ScanLogEntries("L1('Header');<BR><PRE>L1('Line');", R);
    ASSERT_EQ(entries.size(), 1u);
    ExpectUntimed(entries[0], "Line");

    EXPECT_TRUE(ScanLogEntries("L1('Line');", R).empty());
    EXPECT_TRUE(ScanLogEntries(LogPage(""), R).empty());
}

TEST(LogPageScanner, TimedEntryDropsTheCharacterAfterTheQuote) {
    const auto entries = ScanLogEntries(LogPage(L2(65000, "Event one")), R);
    ASSERT_EQ(entries.size(), 1u);
    ExpectTimed(entries[0], R - 65, "Event one");
    EXPECT_EQ(entries[0].ageMs, 65000);

    // Nothing left after the dropped character: the message is empty.
    const auto empty = ScanLogEntries("<BR><PRE>L2(5,'');L2(6,');", R);
    ASSERT_EQ(empty.size(), 2u);
    ExpectTimed(empty[0], R, "");
    ExpectTimed(empty[1], R, "");
}

TEST(LogPageScanner, AgesInMillisecondsTruncateTowardZero) {
    const auto entries = ScanLogEntries(LogPage(L2(1999, "a") + L2(999, "b") + L2(-1500, "c")), R);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].time, R - 1);
    EXPECT_EQ(entries[1].time, R);
    EXPECT_EQ(entries[2].time, R + 1);
}

TEST(LogPageScanner, AgesAreReadLikeDecimalNumbersAndClampTo32Bits) {
    EXPECT_EQ(ParseAgeMs(" \t+42abc"), 42);
    EXPECT_EQ(ParseAgeMs("-7"), -7);
    EXPECT_EQ(ParseAgeMs("x12"), 0);
    EXPECT_EQ(ParseAgeMs(""), 0);
    EXPECT_EQ(ParseAgeMs("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseAgeMs("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseAgeMs("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseAgeMs("-99999999999999999999999"), INT32_MIN);

    // The entry's time clamps too rather than wrapping.
    const auto entries = ScanLogEntries("<BR><PRE>L2(-99999999999,' late');L2(abc,' now');", INT32_MAX - 5);
    ASSERT_EQ(entries.size(), 2u);
    ExpectTimed(entries[0], INT32_MAX, "late");
    ExpectTimed(entries[1], INT32_MAX - 5, "now");
}

TEST(LogPageScanner, MissingTerminatorRunsToTheEndAndStops) {
    const auto entries = ScanLogEntries("<BR><PRE>L1('first');L2(3000,' no end L1('inner", R);
    ASSERT_EQ(entries.size(), 2u);
    ExpectUntimed(entries[0], "first");
    ExpectTimed(entries[1], R - 3, "no end L1('inner");
}

TEST(LogPageScanner, TimedCallWithoutSeparatorIsUntimed) {
    const auto entries = ScanLogEntries("<BR><PRE>L1('a');L2(1234 lost');L1('b');", R);
    ASSERT_EQ(entries.size(), 3u);
    ExpectUntimed(entries[1], "1234 lost");
}

TEST(LogPageScanner, CallInsideAnEntryIsTakenAsTheNextEntry) {
    const auto entries = ScanLogEntries("<BR><PRE>L1('see L2(3000,'xmsg');L1('after');", R);
    ASSERT_EQ(entries.size(), 3u);
    ExpectUntimed(entries[0], "see L2(3000,'xmsg");
    ExpectTimed(entries[1], R - 3, "msg");
    ExpectUntimed(entries[2], "after");
}

TEST(LogPageScanner, SeparatorSearchIsNotBoundedByTheTerminator) {
    // The age then spans the terminator, and the message is empty.
    const auto entries = ScanLogEntries("<BR><PRE>L2(12');L1('x,'y');", R);
    ASSERT_EQ(entries.size(), 2u);
    ExpectTimed(entries[0], R, "");
    EXPECT_EQ(entries[0].ageMs, 12);
    ExpectUntimed(entries[1], "x,'y");
}
