#include <gtest/gtest.h>

#include "logpage/calendar_day.h"

TEST(CalendarDay, NumbersDaysFrom1970BothWaysAndKnowsTheMonthsLengths) {
    const struct {
        CalendarDate date;
        std::int64_t number;
        int weekday;
    } cases[] = {
        {{1970, 1, 1}, 0, 4},          {{1969, 12, 31}, -1, 3},  {{2000, 2, 29}, 11016, 2},
        {{2000, 3, 1}, 11017, 3},      {{2026, 12, 5}, 20792, 6}, {{2100, 3, 1}, 47541, 1},
        {{1900, 3, 1}, -25508, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayNumber(c.date), c.number) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(DateOfDay(c.number), c.date) << c.number;
        EXPECT_EQ(WeekdayOfDay(c.number), c.weekday) << c.number;
    }
    EXPECT_TRUE(IsCalendarDate({2024, 2, 29}));
    EXPECT_FALSE(IsCalendarDate({2026, 2, 29}));
    EXPECT_FALSE(IsCalendarDate({2100, 2, 29}));
    EXPECT_FALSE(IsCalendarDate({2026, 4, 31}));
    EXPECT_FALSE(IsCalendarDate({2026, 13, 1}));
}
