#include "intruders/local_stamp.h"

#include <array>

#include "logpage/broken_down_time.h"
#include "logpage/date_names.h"

namespace {
constexpr int kFirstTmYear = 1900;
constexpr int kHoursHalfDay = 12;

// Reads one date form from the front of a line; any mismatch spoils it.
class DateReader {
public:
    explicit DateReader(std::string_view text) : text_(text) {}

    void Literal(std::string_view literal) {
        good_ = good_ && text_.starts_with(literal);
        if (good_) text_.remove_prefix(literal.size());
    }

    // Exactly `digits` decimal digits, within [low, high].
    int Number(std::size_t digits, int low, int high) {
        int value = 0;
        good_ = good_ && text_.size() >= digits;
        for (std::size_t i = 0; good_ && i < digits; ++i) {
            const char c = text_[i];
            good_ = c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        good_ = good_ && value >= low && value <= high;
        if (good_) text_.remove_prefix(digits);
        return value;
    }

    // The index of the name the text starts with.
    template <std::size_t N>
    int Name(const std::array<std::string_view, N>& names) {
        for (std::size_t i = 0; good_ && i < N; ++i) {
            if (text_.starts_with(names[i])) {
                text_.remove_prefix(names[i].size());
                return static_cast<int>(i);
            }
        }
        good_ = false;
        return 0;
    }

    bool Next(std::string_view literal) { return good_ && text_.starts_with(literal); }

    void Day(LocalStamp& stamp) { stamp.day = Number(2, 1, 31); }
    void Year(LocalStamp& stamp) { stamp.year = Number(4, 0, 9999); }

    // "March 05, 2001"
    void MonthDayYear(LocalStamp& stamp) {
        stamp.month = Name(kMonthNames) + 1;
        Literal(" ");
        Day(stamp);
        Literal(", ");
        Year(stamp);
    }

    // "09:05" or "09:05:07"
    void ClockTime(LocalStamp& stamp, bool withSeconds) {
        stamp.hour = Number(2, 0, 23);
        MinuteSecond(stamp, withSeconds);
    }

    // ":05" or ":05:07" after the hour
    void MinuteSecond(LocalStamp& stamp, bool withSeconds) {
        Literal(":");
        stamp.minute = Number(2, 0, 59);
        if (!withSeconds) return;
        Literal(":");
        stamp.second = Number(2, 0, 59);
    }

    std::optional<LocalStamp> Result(const LocalStamp& stamp) const {
        return good_ ? std::optional(stamp) : std::nullopt;
    }

private:
    std::string_view text_;
    bool good_ = true;
};

// "March 05, 2001, 09:05:07 AM"
void ReadWindowsForm(DateReader& reader, LocalStamp& stamp) {
    reader.MonthDayYear(stamp);
    reader.Literal(", ");
    const int hour = reader.Number(2, 1, kHoursHalfDay);
    reader.MinuteSecond(stamp, true);
    const bool afternoon = reader.Next(" PM");
    reader.Literal(afternoon ? " PM" : " AM");
    stamp.hour = hour % kHoursHalfDay + (afternoon ? kHoursHalfDay : 0);
}

// "2001/03/05 - 09:05"
void ReadShortForm(DateReader& reader, LocalStamp& stamp) {
    reader.Year(stamp);
    reader.Literal("/");
    stamp.month = reader.Number(2, 1, 12);
    reader.Literal("/");
    reader.Day(stamp);
    reader.Literal(" - ");
    reader.ClockTime(stamp, false);
}

// "Monday, March 05, 2001 09:05:07"
void ReadLongForm(DateReader& reader, LocalStamp& stamp) {
    reader.Name(kWeekdayNames);
    reader.Literal(", ");
    reader.MonthDayYear(stamp);
    reader.Literal(" ");
    reader.ClockTime(stamp, true);
}

// 0 for Sunday; -1 outside the calendar's months.
int Weekday(int year, int month, int day) {
    constexpr std::array<int, 12> kMonthOffsets = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12 || year < 1) return -1;
    if (month < 3) --year;
    return (year + year / 4 - year / 100 + year / 400 + kMonthOffsets[month - 1] + day) % 7;
}
}  // namespace

std::optional<LocalStamp> StampFromTime(std::int32_t time) {
    const auto local = ToLocalTime(time);
    if (!local) return std::nullopt;
    return LocalStamp{local->tm_year + kFirstTmYear, local->tm_mon + 1, local->tm_mday,
                      local->tm_hour, local->tm_min, local->tm_sec};
}

std::optional<LocalStamp> ParseLeadingDate(std::string_view line) {
    for (const auto form : {ReadShortForm, ReadWindowsForm, ReadLongForm}) {
        DateReader reader(line);
        LocalStamp stamp;
        form(reader, stamp);
        if (auto result = reader.Result(stamp)) return result;
    }
    return std::nullopt;
}

void AppendStampText(std::string& out, const LocalStamp& stamp, DateFormat format) {
    std::tm time{};
    time.tm_year = stamp.year - kFirstTmYear;
    time.tm_mon = stamp.month - 1;
    time.tm_mday = stamp.day;
    time.tm_hour = stamp.hour;
    time.tm_min = stamp.minute;
    time.tm_sec = stamp.second;
    time.tm_wday = Weekday(stamp.year, stamp.month, stamp.day);
    AppendDateText(out, time, format);
}
