#include <gtest/gtest.h>

#include "intruders/attempt_history.h"
#include "logpage/calendar_day.h"
#include "unit/text/logpage/time_zone_guard.h"

// Native only: Wine's C runtime reads a TZ string's offset but not its
// summer time rules.
namespace {
// Central Europe: 02:00 -> 03:00 on March 29, 2026, 03:00 -> 02:00 on October 25.
constexpr const char* Paris = "CET-1CEST,M3.5.0,M10.5.0/3";

std::int64_t Utc(const CalendarDate& date, int hour, int minute) {
    return DayNumber(date) * 86400 + hour * 3600 + minute * 60;
}
}  // namespace

TEST(AttemptHistory, TheLastDayIsTwentyFourRealHoursAcrossAClockChange) {
    const TimeZoneGuard zone(Paris);
    const struct {
        LocalStamp now;
        std::vector<LocalStamp> attempts;
        std::uint64_t lastDay;
        const char* why;
    } cases[] = {
        {{2026, 3, 29, 12, 0, 0},
         {{2026, 3, 28, 10, 30, 0}, {2026, 3, 28, 11, 30, 0}, {2026, 3, 29, 2, 30, 0}, {2026, 3, 29, 11, 59, 0}},
         3,
         "the 23-hour day: 11:30 the day before is 23.5 real hours back"},
        {{2026, 10, 25, 12, 0, 0},
         {{2026, 10, 24, 12, 30, 0}, {2026, 10, 24, 13, 30, 0}, {2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 11, 0, 0}},
         3,
         "the 25-hour day: 12:30 the day before is 24.5 real hours back"},
    };
    for (const auto& c : cases) {
        LocalMomentConverter clock;
        AttemptHistory history;
        for (const auto& stamp : c.attempts) history.Add(*clock.FromStamp(stamp));
        const auto now = clock.FromStamp(c.now);
        ASSERT_TRUE(now);
        EXPECT_EQ(history.CountsAt(*now).lastDay, c.lastDay) << c.why;
        EXPECT_EQ(history.CountsAt(*now).lastWeek, 4u) << c.why;
    }
}

TEST(LocalMomentConverter, WallClockTimesTheClockSkipsOrPassesTwice) {
    const TimeZoneGuard zone(Paris);
    const struct {
        LocalStamp stamp;
        std::int64_t universal;
    } cases[] = {
        {{2026, 10, 25, 2, 30, 0}, Utc({2026, 10, 25}, 0, 30)},  // passed twice: the first
        {{2026, 3, 29, 1, 59, 0}, Utc({2026, 3, 29}, 0, 59)},
        {{2026, 3, 29, 2, 30, 0}, Utc({2026, 3, 29}, 1, 30)},  // skipped: read as 03:30 summer time
        {{2026, 3, 29, 3, 0, 0}, Utc({2026, 3, 29}, 1, 0)},
        {{2026, 10, 25, 3, 0, 0}, Utc({2026, 10, 25}, 2, 0)},
        {{2026, 7, 1, 12, 0, 0}, Utc({2026, 7, 1}, 10, 0)},
    };
    for (const bool warm : {false, true}) {
        LocalMomentConverter clock;
        // A remembered stretch of winter time that starts at the autumn change.
        if (warm) clock.FromUniversal(Utc({2026, 10, 25}, 7, 0));
        for (const auto& c : cases) {
            const auto moment = clock.FromStamp(c.stamp);
            ASSERT_TRUE(moment);
            EXPECT_EQ(moment->universal, c.universal)
                << c.stamp.month << "-" << c.stamp.day << " " << c.stamp.hour << (warm ? " warm" : "");
        }
    }
}
