#include "intruders/attempt_chart.h"

#include <algorithm>
#include <ctime>

#include "logpage/calendar_day.h"

namespace {
constexpr int kBars = static_cast<int>(kChartDays);
constexpr int kFirstTmYear = 1900;
constexpr std::string_view kTipSeparator = ": ";
constexpr std::string_view kNoAttemptsText = "no attempts";
constexpr std::string_view kOneAttemptText = "1 attempt";
constexpr std::string_view kAttemptsWord = " attempts";
}  // namespace

AttemptChart::AttemptChart(const DayCounts& counts, std::int64_t today)
    : counts_(counts), today_(today), busiest_(*std::max_element(counts.begin(), counts.end())) {}

AttemptChart::Span AttemptChart::BarSpan(std::size_t bar, int width) const {
    const auto edge = [width](std::size_t index) {
        return static_cast<int>(static_cast<std::int64_t>(index) * std::max(width, 0) / kBars);
    };
    return {edge(bar), edge(bar + 1)};
}

// The inverse of BarSpan: bar i holds the x with i * width / 30 <= x.
std::optional<std::size_t> AttemptChart::BarAt(int x, int width) const {
    if (width <= 0 || x < 0 || x >= width) return std::nullopt;
    const auto bar = ((static_cast<std::int64_t>(x) + 1) * kBars - 1) / width;
    return static_cast<std::size_t>(bar);
}

int AttemptChart::BarHeight(std::size_t bar, int plotHeight) const {
    const std::uint64_t count = bar < kChartDays ? counts_[bar] : 0;
    if (count == 0 || plotHeight <= 0) return 0;
    const auto height = static_cast<long double>(count) * plotHeight / static_cast<long double>(busiest_);
    return std::max(1, static_cast<int>(height));
}

std::string AttemptChart::DayLabel(std::size_t bar, DateFormat format) const {
    const std::int64_t day = today_ - static_cast<std::int64_t>(kChartDays - 1) + static_cast<std::int64_t>(bar);
    const CalendarDate date = DateOfDay(day);
    std::tm time{};
    time.tm_year = date.year - kFirstTmYear;
    time.tm_mon = date.month - 1;
    time.tm_mday = date.day;
    time.tm_wday = WeekdayOfDay(day);
    std::string label;
    AppendDayText(label, time, format);
    return label;
}

std::string AttemptChart::BarTip(std::size_t bar, DateFormat format) const {
    std::string tip = DayLabel(bar, format);
    tip.append(kTipSeparator);
    const std::uint64_t count = bar < kChartDays ? counts_[bar] : 0;
    if (count == 0) {
        tip.append(kNoAttemptsText);
    } else if (count == 1) {
        tip.append(kOneAttemptText);
    } else {
        tip.append(std::to_string(count)).append(kAttemptsWord);
    }
    return tip;
}
