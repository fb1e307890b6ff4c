#include <gtest/gtest.h>

#include <climits>

#include "logpage/last_date_reset.h"
#include "logpage/log_page_scanner.h"
#include "logpage/new_entry_selector.h"
#include "unit/text/logpage/log_page_builder.h"

namespace {
constexpr std::int32_t R = 1000000;
const std::string ScreenWithLines = "March 05, 2001, 09:05:07 AM - earlier line\r\n";

LogEntry Timed(std::int32_t time, const std::string& message = "event") {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    entry.time = time;
    entry.message = message;
    return entry;
}

LogEntry Untimed(const std::string& text) {
    LogEntry entry;
    entry.text = text;
    return entry;
}

// The messages or texts of the selected entries, in order.
std::vector<std::string> Lines(const EntrySelection& selection) {
    std::vector<std::string> lines;
    for (const auto& entry : selection.entries) {
        lines.push_back(entry.kind == LogEntry::Kind::Timed ? entry.message : entry.text);
    }
    return lines;
}

using LineList = std::vector<std::string>;
}  // namespace

TEST(LogEntrySelection, WorkedExample) {
    const auto page = LogPage(L1("Header") + L2(200000, "Old event") + L2(120000, "Unrecognized access X") +
                              L2(90000, "Event B") + L1("Detail") + L2(89500, "Event C"));
    const auto selection = SelectNewEntries(ScanLogEntries(page, R), ScreenWithLines, {}, R - 100);
    EXPECT_EQ(Lines(selection), (LineList{"Unrecognized access X", "Event B", "Detail"}));
    EXPECT_EQ(selection.lastDate, R - 90);
}

TEST(LogEntrySelection, NewMeansAtLeastTwoSecondsAfterTheRememberedTime) {
    auto selection = SelectNewEntries({Timed(101, "a"), Timed(102, "b")}, "", {}, 100);
    EXPECT_EQ(Lines(selection), (LineList{"b"}));
    EXPECT_EQ(selection.lastDate, 102);

    selection = SelectNewEntries({Timed(150, "a"), Timed(200, "b"), Timed(300, "c")}, "", {}, 0);
    EXPECT_EQ(Lines(selection), (LineList{"a", "b", "c"}));
    EXPECT_EQ(selection.lastDate, 300);

    selection = SelectNewEntries({Timed(300, "a"), Timed(200, "b")}, "", {}, 0);
    EXPECT_EQ(Lines(selection), (LineList{"a"}));
    EXPECT_EQ(selection.lastDate, 300);
}

TEST(LogEntrySelection, ComparisonIsSignedAndSafeAtTheRangeEnds) {
    EXPECT_TRUE(SelectNewEntries({Timed(INT32_MAX)}, "", {}, INT32_MAX).entries.empty());
    EXPECT_TRUE(SelectNewEntries({Timed(INT32_MAX)}, "", {}, INT32_MAX - 1).entries.empty());
    EXPECT_EQ(SelectNewEntries({Timed(INT32_MAX)}, "", {}, INT32_MAX - 2).entries.size(), 1u);
    EXPECT_EQ(SelectNewEntries({Timed(-8)}, "", {}, -10).entries.size(), 1u);
    EXPECT_TRUE(SelectNewEntries({Timed(-9)}, "", {}, -10).entries.empty());
    EXPECT_TRUE(SelectNewEntries({Timed(INT32_MIN)}, "", {}, 0).entries.empty());
}

TEST(LogEntrySelection, UntimedLinesFollowTheFirstEmittedTimedEntry) {
    const auto selection =
        SelectNewEntries({Untimed("before"), Timed(500, "new"), Timed(10, "old"), Untimed("after")}, "", {}, 0);
    EXPECT_EQ(Lines(selection), (LineList{"new", "after"}));
    EXPECT_EQ(selection.lastDate, 500);
}

TEST(LogEntrySelection, OnlyIntrusionStillMovesTheRememberedTime) {
    SelectionOptions options;
    options.onlyIntrusion = true;
    const auto selection = SelectNewEntries(
        {Timed(200, "Unrecognized access A"), Untimed("detail"), Timed(300, "plain")}, "", options, 0);
    EXPECT_EQ(Lines(selection), (LineList{"Unrecognized access A"}));
    EXPECT_EQ(selection.lastDate, 300);
}

TEST(LogEntrySelection, IntrusionNotOnTheScreenBypassesTheTimeTest) {
    const std::string intrusion = "Unrecognized access from 10.1.2.3:80 to TCP port 80";
    auto selection = SelectNewEntries({Timed(50, intrusion)}, ScreenWithLines, {}, 1000);
    EXPECT_EQ(Lines(selection), (LineList{intrusion}));
    EXPECT_EQ(selection.lastDate, 50);

    // Already shown, remembered across screens, or no lines on the screen:
    // the time test applies.
    EXPECT_TRUE(SelectNewEntries({Timed(50, intrusion)}, ScreenWithLines + intrusion, {}, 1000).entries.empty());
    SelectionOptions remember;
    remember.rememberDate = true;
    EXPECT_TRUE(SelectNewEntries({Timed(50, intrusion)}, ScreenWithLines, remember, 1000).entries.empty());
    EXPECT_TRUE(SelectNewEntries({Timed(50, intrusion)}, "*** (empty) ***", {}, 1000).entries.empty());
    EXPECT_TRUE(SelectNewEntries({Timed(50, intrusion)}, "", {}, 1000).entries.empty());
}

TEST(LogEntrySelection, ScreenWithoutLinesForgetsTheRememberedTime) {
    EXPECT_EQ(ApplyLastDateReset("*** Error: Cannot connect.", false, 500), 0);
    EXPECT_EQ(ApplyLastDateReset("", false, 500), 0);
    EXPECT_EQ(ApplyLastDateReset("*** Error: Cannot connect.", true, 500), 500);
    EXPECT_EQ(ApplyLastDateReset(ScreenWithLines, false, 500), 500);

    const auto lastDate = ApplyLastDateReset("*** Error: Cannot connect.", false, 500);
    const auto selection = SelectNewEntries({Timed(1, "a"), Timed(2, "b"), Timed(10, "c")}, "", {}, lastDate);
    EXPECT_EQ(Lines(selection), (LineList{"b", "c"}));
}
