#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "intruders/attempt_history.h"
#include "logpage/date_text.h"

// The bar chart of attempts per day above the Intruders table: 30 bars,
// oldest on the left, today on the right, of equal width, filling the width.
//
//   DayCounts counts{}; ...AttemptHistory::AddDayCounts for one or all addresses...
//   const AttemptChart chart(counts, now.Day());
//   for (bar 0..ChartDays-1) { auto span = chart.BarSpan(bar, width);
//                              auto height = chart.BarHeight(bar, plotHeight); ... }
//   scale label: std::to_string(chart.BusiestCount())
//   mouse-over:  if (auto bar = chart.BarAt(x, width)) tip = chart.BarTip(*bar, format);
class AttemptChart {
public:
    // `today`: the local calendar day of the last bar (LocalMoment::Day()).
    AttemptChart(const DayCounts& counts, std::int64_t today);

    const DayCounts& Counts() const { return counts_; }
    // The largest day's count, the top of the scale; 0 when no day has any.
    std::uint64_t BusiestCount() const { return busiest_; }

    // Pixels [left, right) of a bar in a chart `width` pixels wide; bars
    // share the width as evenly as whole pixels allow.
    struct Span {
        int left = 0, right = 0;
        bool operator==(const Span&) const = default;
    };
    Span BarSpan(std::size_t bar, int width) const;
    // The bar under x (0 at the chart's left edge); nothing left or right of it.
    std::optional<std::size_t> BarAt(int x, int width) const;
    // Pixels of a bar's height against the busiest day; a day with any
    // attempt is at least one pixel high.
    int BarHeight(std::size_t bar, int plotHeight) const;

    // The bar's date alone, in the style of the chosen date form:
    // "December 05, 2026", "2026/12/05", "Saturday, December 05, 2026".
    std::string DayLabel(std::size_t bar, DateFormat format) const;
    // "2026/12/05: 14 attempts", "...: 1 attempt", "...: no attempts".
    std::string BarTip(std::size_t bar, DateFormat format) const;

private:
    DayCounts counts_;
    std::int64_t today_;
    std::uint64_t busiest_ = 0;
};
