#include <gtest/gtest.h>

#include <climits>

#include "logpage/new_entry_selector.h"

namespace {
const std::string ScreenWithLines = "March 05, 2001, 09:05:07 AM - earlier line\r\n";

LogEntry Timed(std::int32_t time, const std::string& message) { return {LogEntry::Kind::Timed, 0, time, message, ""}; }
LogEntry Untimed(const std::string& text) { return {LogEntry::Kind::Untimed, 0, 0, "", text}; }

// The messages or texts of the selected entries, in order.
std::vector<std::string> Lines(const EntrySelection& selection) {
    std::vector<std::string> lines;
    for (const auto& entry : selection.entries) lines.push_back(entry.message + entry.text);
    return lines;
}

using LineList = std::vector<std::string>;
}  // namespace

TEST(LogEntrySelection, NewMeansAtLeastTwoSecondsAfterTheRememberedTime) {
    struct Case {
        std::vector<LogEntry> entries;
        bool onlyIntrusion;
        std::int32_t lastDate;
        LineList lines;
        std::int32_t newLastDate;  // what lastDate becomes
    };
    const Case cases[] = {
        {{Timed(101, "a"), Timed(102, "b")}, false, 100, {"b"}, 102},
        {{Timed(300, "a"), Timed(200, "b")}, false, 0, {"a"}, 300},
        // Signed, and safe at the ends of the range.
        {{Timed(INT32_MAX, "a")}, false, INT32_MAX, {}, INT32_MAX},
        {{Timed(INT32_MAX, "a")}, false, INT32_MAX - 2, {"a"}, INT32_MAX},
        {{Timed(-8, "a")}, false, -10, {"a"}, -8},
        // Untimed lines follow the first emitted timed entry.
        {{Untimed("before"), Timed(500, "new"), Timed(10, "old"), Untimed("after")}, false, 0, {"new", "after"}, 500},
        // Only intrusions shown, yet the remembered time moves past the others.
        {{Timed(200, "Unrecognized access A"), Untimed("detail"), Timed(300, "plain")}, true, 0, {"Unrecognized access A"}, 300},
    };
    for (const Case& c : cases) {
        SelectionOptions options;
        options.onlyIntrusion = c.onlyIntrusion;
        const auto selection = SelectNewEntries(c.entries, "", options, c.lastDate);
        EXPECT_EQ(Lines(selection), c.lines) << c.lastDate;
        EXPECT_EQ(selection.lastDate, c.newLastDate) << c.lastDate;
    }
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
}
