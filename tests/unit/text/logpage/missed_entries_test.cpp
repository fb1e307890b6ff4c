#include <gtest/gtest.h>

#include "logpage/last_date_reset.h"
#include "logpage/missed_entries.h"
#include "notice_text.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
// 2001-03-05 09:05:07 UTC
constexpr std::int32_t D = 983783107;
const std::string Missed =
    "*** Entries between March 05, 2001, 09:05:07 AM and March 05, 2001, 09:06:47 AM may be missing: the "
    "router's log no longer holds them\r\n";

std::vector<LogEntry> Page(std::initializer_list<std::int32_t> times) {
    std::vector<LogEntry> page(1);  // an untimed header line first
    for (auto time : times) page.push_back({LogEntry::Kind::Timed, 0, time, "event", ""});
    return page;
}
}  // namespace

TEST(MissedEntries, LineOnlyWhenThePreviousPageHeldLastDateAndThisOneStartsAfterIt) {
    const TimeZoneGuard zone("UTC0");
    struct Case {
        const char* what;
        std::vector<LogEntry> page;
        std::int32_t lastDate;
        bool previousHeld, holds, line;
    };
    const Case cases[] = {
        {"rolled; the oldest is found whatever the order", Page({D + 300, D + 100, D + 200}), D, true, false, true},
        {"two seconds after is new", Page({D + 2}), D, true, false, true},
        {"one second of jitter is the same entry", Page({D + 1, D + 300}), D, true, true, false},
        {"still holds lastDate", Page({D, D + 300}), D, true, true, false},
        {"first page of the run", Page({D + 300}), D, false, false, false},
        {"nothing remembered", Page({D + 300}), 0, true, false, false},
        {"no timed entry", Page({}), D, true, false, false},
    };
    for (const auto& c : cases) {
        const auto line = MissedEntriesLine(c.page, c.lastDate, c.previousHeld, DateFormat::Windows);
        EXPECT_EQ(!line.empty(), c.line) << c.what;
        EXPECT_EQ(HoldsEntryUpTo(c.page, c.lastDate), c.holds) << c.what;
    }
    EXPECT_EQ(MissedEntriesLine(cases[0].page, D, true, DateFormat::Windows), Missed);
    // A log line, though it opens like a notice.
    EXPECT_TRUE(IsNoticeText("*** Entries"));
    EXPECT_FALSE(IsNoticeText(Missed));
    EXPECT_EQ(ApplyLastDateReset(Missed, false, D), D);
}
