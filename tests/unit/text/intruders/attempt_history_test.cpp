#include <gtest/gtest.h>

#include "intruders/attempt_chart.h"
#include "logpage/calendar_day.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
// A fixed offset: Wine reads no summer time rules (see the _posix test).
constexpr const char* Tokyo = "JST-9";

LocalMoment At(LocalMomentConverter& clock, const LocalStamp& stamp) {
    const auto moment = clock.FromStamp(stamp);
    EXPECT_TRUE(moment) << stamp.year << "-" << stamp.month << "-" << stamp.day;
    return moment.value_or(LocalMoment{});
}
}  // namespace

TEST(AttemptHistory, CountsAcrossADayChangeByHoursAndByLocalDays) {
    const TimeZoneGuard zone(Tokyo);
    LocalMomentConverter clock;
    AttemptHistory history;
    for (const LocalStamp& stamp : {
             LocalStamp{2026, 2, 9, 12, 0, 0},     // 30 days before March 11
             LocalStamp{2026, 2, 10, 0, 0, 0},     // 29 days before
             LocalStamp{2026, 3, 4, 23, 59, 0},    // 7 days before
             LocalStamp{2026, 3, 4, 23, 59, 0},
             LocalStamp{2026, 3, 5, 12, 0, 0},     // 6 days before
             LocalStamp{2026, 3, 9, 23, 30, 0},    // its hour ends 24 h 20 min before 00:20 on the 11th
             LocalStamp{2026, 3, 10, 0, 10, 0},    // its hour ends 23 h 20 min before
             LocalStamp{2026, 3, 10, 23, 50, 0},
             LocalStamp{2026, 3, 10, 23, 50, 30},
             LocalStamp{2026, 3, 11, 0, 10, 0},
         }) {
        history.Add(At(clock, stamp));
    }
    EXPECT_FALSE(clock.FromStamp({2026, 2, 29, 0, 0, 0}));

    // 00:20 in Tokyo is 15:20 UTC the day before: days are local ones.
    const struct {
        LocalStamp now;
        AttemptCounts counts;
    } cases[] = {
        {{2026, 3, 10, 23, 59, 59}, {4, 7, 9}},
        {{2026, 3, 11, 0, 20, 0}, {4, 6, 9}},
        {{2026, 3, 11, 1, 0, 0}, {3, 6, 9}},
        {{2026, 3, 12, 0, 0, 0}, {1, 5, 8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(history.CountsAt(At(clock, c.now)), c.counts) << c.now.day << " " << c.now.hour << ":" << c.now.minute;
    }

    DayCounts bars{};
    history.AddDayCounts(bars, At(clock, {2026, 3, 11, 0, 20, 0}));
    history.AddDayCounts(bars, At(clock, {2026, 3, 11, 0, 20, 0}));
    DayCounts expected{};
    expected[0] = 2;   // February 10
    expected[22] = 4;  // March 4
    expected[23] = 2;  // March 5
    expected[27] = 2;  // March 9
    expected[28] = 6;  // March 10
    expected[29] = 2;  // March 11
    EXPECT_EQ(bars, expected);
}

TEST(AttemptHistory, AnAddressKnockingForWeeksKeepsFewBucketsAndRightCounts) {
    const TimeZoneGuard zone(Tokyo);
    LocalMomentConverter clock;
    AttemptHistory history;
    // Every 10 minutes from January 1 to the end of February 15, in seconds.
    const auto first = clock.FromStamp({2026, 1, 1, 0, 0, 0});
    ASSERT_TRUE(first);
    const std::int64_t end = first->universal + 46 * 86400;
    for (std::int64_t time = first->universal; time < end; time += 600) history.Add(*clock.FromUniversal(time));

    const auto now = clock.FromUniversal(end - 300);  // February 15, 23:55
    ASSERT_TRUE(now);
    EXPECT_EQ(history.CountsAt(*now), (AttemptCounts{6 + 144, 7 * 144, 30 * 144}));
    EXPECT_LE(history.HeapBytes(), 64u * 8u);

    // Late arrivals: within the 30 days, and before them.
    history.Add(At(clock, {2026, 1, 20, 12, 0, 0}));
    history.Add(At(clock, {2026, 1, 5, 12, 0, 0}));
    EXPECT_EQ(history.CountsAt(*now), (AttemptCounts{6 + 144, 7 * 144, 30 * 144 + 1}));
}

TEST(AttemptChart, BusiestDayBarsUnderTheMouseAndDayTexts) {
    DayCounts counts{};
    counts[3] = 14;
    counts[10] = 1;
    counts[29] = 2;
    const AttemptChart chart(counts, DayNumber({2026, 12, 5}));
    EXPECT_EQ(chart.BusiestCount(), 14u);
    EXPECT_EQ(AttemptChart(DayCounts{}, 0).BusiestCount(), 0u);
    EXPECT_EQ(chart.BarHeight(3, 70), 70);
    EXPECT_EQ(chart.BarHeight(29, 70), 10);
    EXPECT_EQ(chart.BarHeight(10, 10), 1);
    EXPECT_EQ(chart.BarHeight(0, 70), 0);

    EXPECT_EQ(chart.BarAt(-1, 300), std::nullopt);
    EXPECT_EQ(chart.BarAt(300, 300), std::nullopt);
    EXPECT_EQ(chart.BarAt(0, 0), std::nullopt);
    EXPECT_EQ(chart.BarAt(9, 300), 0u);
    EXPECT_EQ(chart.BarAt(10, 300), 1u);
    for (const int width : {1, 29, 31, 100, 457}) {
        for (int x = 0; x < width; ++x) {
            const auto bar = chart.BarAt(x, width);
            ASSERT_TRUE(bar) << x << " of " << width;
            const auto span = chart.BarSpan(*bar, width);
            ASSERT_TRUE(span.left <= x && x < span.right) << x << " of " << width << " in bar " << *bar;
        }
        EXPECT_EQ(chart.BarSpan(kChartDays - 1, width).right, width);
    }

    EXPECT_EQ(chart.DayLabel(29, DateFormat::Windows), "December 05, 2026");
    EXPECT_EQ(chart.DayLabel(29, DateFormat::Long), "Saturday, December 05, 2026");
    EXPECT_EQ(chart.DayLabel(0, DateFormat::Long), "Friday, November 06, 2026");
    EXPECT_EQ(chart.BarTip(3, DateFormat::Short), "2026/11/09: 14 attempts");
    EXPECT_EQ(chart.BarTip(10, DateFormat::Short), "2026/11/16: 1 attempt");
    EXPECT_EQ(chart.BarTip(0, DateFormat::Short), "2026/11/06: no attempts");
}
