#include <gtest/gtest.h>

#include "logpage/log_line_renderer.h"
#include "unit/text/logpage/time_zone_guard.h"

// Native only: Wine's C runtime ignores the daylight saving rules of TZ.
namespace {
std::string LongLine(std::int32_t time) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    entry.time = time;
    entry.message = "m";
    return RenderLogUpdate({entry}, {DateFormat::Long, false}).displayText;
}
}  // namespace

TEST(LogDates, LocalTimeFollowsDaylightSaving) {
    {
        TimeZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
        // 2001-01-15 and 2001-07-15, 12:00 UTC.
        EXPECT_EQ(LongLine(979560000), "Monday, January 15, 2001 07:00:00 - m\r\n");
        EXPECT_EQ(LongLine(995198400), "Sunday, July 15, 2001 08:00:00 - m\r\n");
    }
    TimeZoneGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    // Either side of the spring change, 2001-03-25 01:00 UTC.
    EXPECT_EQ(LongLine(985482000 - 1), "Sunday, March 25, 2001 01:59:59 - m\r\n");
    EXPECT_EQ(LongLine(985482000), "Sunday, March 25, 2001 03:00:00 - m\r\n");
}
