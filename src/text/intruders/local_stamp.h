#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logpage/date_text.h"

// A local wall-clock time as router.log shows it.
struct LocalStamp {
    int year = 0, month = 0 /*1-12*/, day = 0, hour = 0, minute = 0, second = 0;
    auto operator<=>(const LocalStamp&) const = default;
};

// The local time of a Unix time; nothing where the platform cannot convert it.
std::optional<LocalStamp> StampFromTime(std::int32_t time);

// The date a router.log line starts with, in any of the three date forms
// (the short form has no seconds: they read as 0).
std::optional<LocalStamp> ParseLeadingDate(std::string_view line);

// The stamp in one of the date forms, its weekday worked out from the date.
void AppendStampText(std::string& out, const LocalStamp& stamp, DateFormat format);
