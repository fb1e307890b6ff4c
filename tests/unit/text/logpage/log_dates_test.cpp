#include <gtest/gtest.h>

#include "logpage/log_line_renderer.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
// 2001-03-05 09:05:07 UTC, a Monday.
constexpr std::int32_t March5th = 983783107;

LogEntry Timed(std::int32_t time, const std::string& message) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    entry.time = time;
    entry.message = message;
    return entry;
}

std::string DisplayLine(std::int32_t time, DateFormat format) {
    RenderOptions options;
    options.dateFormat = format;
    return RenderLogUpdate({Timed(time, "m")}, options).displayText;
}
}  // namespace

TEST(LogDates, LinesInAFixedZoneWithTheGmtSuffixOnlyInTheFile) {
    TimeZoneGuard zone("UTC0");
    RenderOptions options;
    options.dateFormat = DateFormat::Windows;
    options.logGMT = true;
    LogEntry untimed;
    untimed.text = "  detail line";
    const auto update = RenderLogUpdate({Timed(March5th, "Event one"), untimed, Timed(-1, "Event")}, options);
    EXPECT_EQ(update.displayText, "March 05, 2001, 09:05:07 AM - Event one\r\n  detail line\r\n - Event\r\n");
    EXPECT_EQ(update.fileText,
              "March 05, 2001, 09:05:07 AM - Event one ( 2001/03/05 - 09:05:07 GMT )\r\n  detail line\r\n - Event\r\n");

    options.logGMT = false;
    EXPECT_EQ(RenderLogUpdate({Timed(March5th, "Event one")}, options).fileText,
              "March 05, 2001, 09:05:07 AM - Event one\r\n");
}

// Fixed offsets only: Wine's C runtime reads the offset of a TZ string but
// not its daylight saving rules.
TEST(LogDates, LocalTimeFollowsTheZoneOffset) {
    {
        TimeZoneGuard zone("EST5");
        EXPECT_EQ(DisplayLine(March5th, DateFormat::Short), "2001/03/05 - 04:05 - m\r\n");
        EXPECT_EQ(DisplayLine(March5th, DateFormat::Windows), "March 05, 2001, 04:05:07 AM - m\r\n");
    }
    TimeZoneGuard zone("JST-9");
    EXPECT_EQ(DisplayLine(March5th, DateFormat::Long), "Monday, March 05, 2001 18:05:07 - m\r\n");
    // The GMT suffix stays in UTC.
    RenderOptions options;
    options.logGMT = true;
    EXPECT_EQ(RenderLogUpdate({Timed(March5th + 15 * 3600, "m")}, options).fileText,
              "Tuesday, March 06, 2001 09:05:07 - m ( 2001/03/06 - 00:05:07 GMT )\r\n");
}
