#pragma once
#include <cstdint>

// A date of the Gregorian calendar, extended backwards.
struct CalendarDate {
    int year = 1970, month = 1 /*1-12*/, day = 1;
    bool operator==(const CalendarDate&) const = default;
};

// Days are counted from 1970-01-01 (day 0); earlier dates are negative.
// Whole-number arithmetic only: no time zone, no platform call.
std::int64_t DayNumber(const CalendarDate& date);
CalendarDate DateOfDay(std::int64_t dayNumber);
// 0 for Sunday, as std::tm counts.
int WeekdayOfDay(std::int64_t dayNumber);

// True when the month has that day (no 31 April, 29 February in leap years only).
bool IsCalendarDate(const CalendarDate& date);

// Floor division, so that times before 1970 fall on the right day and hour.
inline std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}
