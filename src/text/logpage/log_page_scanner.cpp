#include "logpage/log_page_scanner.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "control_characters.h"
#include "logpage/forward_search.h"

namespace {
constexpr auto None = std::string_view::npos;

constexpr std::string_view LogStartMarker = "<BR><PRE>";
constexpr std::string_view UntimedCall = "L1(";
constexpr std::string_view TimedCall = "L2(";
constexpr std::string_view CallTerminator = "');";
constexpr std::string_view AgeSeparator = ",'";
// "L1('" opens an untimed text; a timed call's age follows "L2(" at once.
constexpr std::size_t UntimedTextOffset = 4;
constexpr std::size_t TimedTextOffset = 3;
// The router puts one character after the separator's quote: it is dropped.
constexpr std::size_t MessageOffset = 3;

std::int32_t ClampToInt32(std::int64_t value) {
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, low, high));
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

LogEntry UntimedEntry(std::string_view text) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Untimed;
    entry.text = text;
    BlankControlCharacters(entry.text);
    return entry;
}

LogEntry TimedEntry(std::string_view age, std::string_view message, std::int32_t referenceTime) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Timed;
    // A negative age would date the entry ahead, past every later one.
    entry.ageMs = std::max(ParseAgeMs(age), 0);
    entry.time = ClampToInt32(std::int64_t{referenceTime} - entry.ageMs / 1000);
    entry.message = message;
    BlankControlCharacters(entry.message);
    return entry;
}

// Router log lines are rarely shorter than this; a close guess spares the
// list's regrowth on large pages.
constexpr std::size_t TypicalCallSize = 64;

std::size_t EstimatedEntryCount(std::string_view log) {
    return std::min(log.size() / TypicalCallSize + 1, MaxLogEntries);
}

// The span from start to end of the page, empty when start lies beyond end.
std::string_view Span(std::string_view page, std::size_t start, std::size_t end) {
    return start < end ? page.substr(start, end - start) : std::string_view();
}
}  // namespace

std::int32_t ParseAgeMs(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Anything past 2^31 clamps anyway, so stop growing there.
    constexpr std::int64_t saturation = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), saturation);
    }
    return ClampToInt32(negative ? -value : value);
}

std::vector<LogEntry> ScanLogEntries(std::string_view page, std::int32_t referenceTime) {
    std::vector<LogEntry> entries;
    const auto logStart = page.find(LogStartMarker);
    if (logStart == None) return entries;
    entries.reserve(EstimatedEntryCount(page.substr(logStart)));

    ForwardSearch untimedCalls(page, UntimedCall);
    ForwardSearch timedCalls(page, TimedCall);
    ForwardSearch terminators(page, CallTerminator);
    ForwardSearch separators(page, AgeSeparator);

    const std::size_t textBudget = page.size() + NestedCallTextAllowance;
    std::size_t textBytes = 0;
    // Once the list is full it is a ring: each entry replaces the oldest kept.
    std::size_t oldest = 0;
    std::size_t pos = logStart;
    for (;;) {
        const auto untimedCall = untimedCalls.From(pos);
        const auto timedCall = timedCalls.From(pos);
        if (untimedCall == None && timedCall == None) break;

        const bool timed = timedCall < untimedCall;
        const auto call = timed ? timedCall : untimedCall;
        const auto start = std::min(call + (timed ? TimedTextOffset : UntimedTextOffset), page.size());
        const auto terminator = terminators.From(start);
        const auto end = terminator == None ? page.size() : terminator;
        const auto separator = timed ? separators.From(start) : None;

        LogEntry entry = separator == None ? UntimedEntry(Span(page, start, end))
                                           : TimedEntry(Span(page, start, separator),
                                                        Span(page, separator + MessageOffset, end), referenceTime);
        textBytes += entry.text.size() + entry.message.size();
        if (textBytes > textBudget) break;
        if (entries.size() < MaxLogEntries) {
            entries.push_back(std::move(entry));
        } else {
            entries[oldest] = std::move(entry);
            oldest = (oldest + 1) % MaxLogEntries;
        }
        if (terminator == None) break;
        // The next call may stand inside this entry's own text.
        pos = start;
    }
    std::rotate(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(oldest), entries.end());
    return entries;
}
