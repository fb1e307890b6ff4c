#pragma once
#include <ctime>
#include <string>

// The log's date forms, chosen by the "Date Format" radio buttons.
enum class DateFormat {
    Windows,  // March 05, 2001, 09:05:07 AM
    Short,    // 2001/03/05 - 09:05
    Long,     // Monday, March 05, 2001 09:05:07
};

// Written by hand with English names and upper-case AM/PM, so the text is
// the same in every locale and C library.
void AppendDateText(std::string& out, const std::tm& time, DateFormat format);

// The date alone in the form's style: "March 05, 2001", "2001/03/05",
// "Monday, March 05, 2001". Uses tm_year, tm_mon, tm_mday and tm_wday.
void AppendDayText(std::string& out, const std::tm& date, DateFormat format);

// " ( 2001/03/05 - 09:05:07 GMT )" from a UTC broken-down time.
void AppendGmtSuffixText(std::string& out, const std::tm& utc);
