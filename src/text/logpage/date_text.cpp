#include "logpage/date_text.h"

#include <array>
#include <string_view>

#include "logpage/date_names.h"

namespace {

template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)] : "";
}

int TwelveHour(int hour) {
    return hour % 12 == 0 ? 12 : hour % 12;
}

// One formatted time, built on the stack and appended in one go: a log
// update renders tens of thousands of them.
class DateWriter {
public:
    void Text(std::string_view text) {
        for (char c : text) Put(c);
    }
    // A non-negative number with at least `width` digits.
    void Number(int value, int width) {
        char digits[12];
        int count = 0;
        unsigned rest = value < 0 ? 0u : static_cast<unsigned>(value);
        do {
            digits[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
        while (count < width) digits[count++] = '0';
        while (count > 0) Put(digits[--count]);
    }
    void TwoDigits(int value) { Number(value, 2); }
    void Year(const std::tm& time) { Number(time.tm_year + 1900, 4); }
    // "%Y/%m/%d"
    void NumericDate(const std::tm& time) {
        Year(time);
        Text("/");
        TwoDigits(time.tm_mon + 1);
        Text("/");
        TwoDigits(time.tm_mday);
    }
    // "%H:%M" with the given hour
    void HourMinute(int hour, const std::tm& time) {
        TwoDigits(hour);
        Text(":");
        TwoDigits(time.tm_min);
    }
    // "%H:%M:%S" with the given hour
    void ClockTime(int hour, const std::tm& time) {
        HourMinute(hour, time);
        Text(":");
        TwoDigits(time.tm_sec);
    }

    void AppendTo(std::string& out) const { out.append(text_.data(), size_); }

private:
    void Put(char c) {
        if (size_ < text_.size()) text_[size_++] = c;
    }

    std::array<char, 96> text_{};
    std::size_t size_ = 0;
};

// "%B %d, %Y"
void WriteMonthDayYear(DateWriter& writer, const std::tm& time) {
    writer.Text(NameAt(kMonthNames, time.tm_mon));
    writer.Text(" ");
    writer.TwoDigits(time.tm_mday);
    writer.Text(", ");
    writer.Year(time);
}

// "%A, %B %d, %Y"
void WriteLongDate(DateWriter& writer, const std::tm& time) {
    writer.Text(NameAt(kWeekdayNames, time.tm_wday));
    writer.Text(", ");
    WriteMonthDayYear(writer, time);
}

// "%B %d, %Y, %I:%M:%S %p"
void WriteWindowsForm(DateWriter& writer, const std::tm& time) {
    WriteMonthDayYear(writer, time);
    writer.Text(", ");
    writer.ClockTime(TwelveHour(time.tm_hour), time);
    writer.Text(time.tm_hour < 12 ? " AM" : " PM");
}

// "%Y/%m/%d - %H:%M"
void WriteShortForm(DateWriter& writer, const std::tm& time) {
    writer.NumericDate(time);
    writer.Text(" - ");
    writer.HourMinute(time.tm_hour, time);
}

// The classic locale's long date and time: "%A, %B %d, %Y %H:%M:%S"
void WriteLongForm(DateWriter& writer, const std::tm& time) {
    WriteLongDate(writer, time);
    writer.Text(" ");
    writer.ClockTime(time.tm_hour, time);
}
}  // namespace

void AppendDateText(std::string& out, const std::tm& time, DateFormat format) {
    DateWriter writer;
    switch (format) {
        case DateFormat::Windows: WriteWindowsForm(writer, time); break;
        case DateFormat::Short: WriteShortForm(writer, time); break;
        case DateFormat::Long: WriteLongForm(writer, time); break;
    }
    writer.AppendTo(out);
}

void AppendDayText(std::string& out, const std::tm& date, DateFormat format) {
    DateWriter writer;
    switch (format) {
        case DateFormat::Windows: WriteMonthDayYear(writer, date); break;
        case DateFormat::Short: writer.NumericDate(date); break;
        case DateFormat::Long: WriteLongDate(writer, date); break;
    }
    writer.AppendTo(out);
}

void AppendGmtSuffixText(std::string& out, const std::tm& utc) {
    DateWriter writer;
    writer.Text(" ( ");
    writer.NumericDate(utc);
    writer.Text(" - ");
    writer.ClockTime(utc.tm_hour, utc);
    writer.Text(" GMT )");
    writer.AppendTo(out);
}
