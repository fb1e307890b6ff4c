#include "logpage/calendar_day.h"

namespace {
// The calendar repeats every 400 years; counting in eras of 400 years from
// 1 March keeps the leap day at the end of each year.
constexpr std::int64_t kDaysPerEra = 146097;
constexpr std::int64_t kDaysFrom0000To1970 = 719468;  // from 0000-03-01
constexpr int kThursdayIndex = 4;                      // 1970-01-01
}  // namespace

std::int64_t DayNumber(const CalendarDate& date) {
    const std::int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t monthFromMarch = (date.month + 9) % 12;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kDaysFrom0000To1970;
}

CalendarDate DateOfDay(std::int64_t dayNumber) {
    const std::int64_t days = dayNumber + kDaysFrom0000To1970;
    const std::int64_t era = FloorDivide(days, kDaysPerEra);
    const std::int64_t dayOfEra = days - era * kDaysPerEra;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int WeekdayOfDay(std::int64_t dayNumber) {
    const std::int64_t shifted = dayNumber + kThursdayIndex;
    return static_cast<int>(shifted - FloorDivide(shifted, 7) * 7);
}

bool IsCalendarDate(const CalendarDate& date) {
    constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.month < 1 || date.month > 12 || date.day < 1) return false;
    const bool leap = date.year % 4 == 0 && (date.year % 100 != 0 || date.year % 400 == 0);
    return date.day <= kMonthDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
}
