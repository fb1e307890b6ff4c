#include <gtest/gtest.h>

#include "logpage/log_line_renderer.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
// 2001-03-05 09:05:07 UTC, a Monday.
constexpr std::int32_t March5th = 983783107;

LogEntry Timed(std::int32_t time, const std::string& message) { return {LogEntry::Kind::Timed, 0, time, message, ""}; }
}  // namespace

// A fixed offset only: Wine's C runtime reads the offset of a TZ string but
// not its daylight saving rules.
TEST(LogDates, LocalTimeOnTheLinesWithTheGmtSuffixOnlyInTheFile) {
    const TimeZoneGuard zone("JST-9");
    RenderOptions options;
    options.dateFormat = DateFormat::Windows;
    options.logGMT = true;
    const LogEntry untimed{LogEntry::Kind::Untimed, 0, 0, "", "  detail line"};
    const auto update = RenderLogLines({Timed(March5th, "Event one"), untimed, Timed(-1, "Event")}, options);
    EXPECT_EQ(update.displayText, "March 05, 2001, 06:05:07 PM - Event one\r\n  detail line\r\n - Event\r\n");
    EXPECT_EQ(update.fileText,
              "March 05, 2001, 06:05:07 PM - Event one ( 2001/03/05 - 09:05:07 GMT )\r\n  detail line\r\n - Event\r\n");

    options.dateFormat = DateFormat::Long;
    EXPECT_EQ(RenderLogLines({Timed(March5th + 15 * 3600, "m")}, options).fileText,
              "Tuesday, March 06, 2001 09:05:07 - m ( 2001/03/06 - 00:05:07 GMT )\r\n");
}
