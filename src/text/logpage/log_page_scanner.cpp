#include "logpage/log_page_scanner.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "control_characters.h"
#include "logpage/forward_search.h"

namespace {
constexpr auto kNone = std::string_view::npos;

constexpr std::string_view kLogStartMarker = "<BR><PRE>";
constexpr std::string_view kUntimedCall = "L1(";
constexpr std::string_view kTimedCall = "L2(";
constexpr std::string_view kCallTerminator = "');";
constexpr std::string_view kAgeSeparator = ",'";
// "L1('" opens an untimed text; a timed call's age follows "L2(" at once.
constexpr std::size_t kUntimedTextOffset = 4;
constexpr std::size_t kTimedTextOffset = 3;
// The router puts one character after the separator's quote: it is dropped.
constexpr std::size_t kMessageOffset = 3;

std::int32_t ClampToInt32(std::int64_t value) {
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kLow, kHigh));
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
constexpr std::size_t kTypicalCallSize = 64;

std::size_t EstimatedEntryCount(std::string_view log) {
    return std::min(log.size() / kTypicalCallSize + 1, kMaxLogEntries);
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
    constexpr std::int64_t kSaturation = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kSaturation);
    }
    return ClampToInt32(negative ? -value : value);
}

std::vector<LogEntry> ScanLogEntries(std::string_view page, std::int32_t referenceTime) {
    std::vector<LogEntry> entries;
    const auto logStart = page.find(kLogStartMarker);
    if (logStart == kNone) return entries;
    entries.reserve(EstimatedEntryCount(page.substr(logStart)));

    ForwardSearch untimedCalls(page, kUntimedCall);
    ForwardSearch timedCalls(page, kTimedCall);
    ForwardSearch terminators(page, kCallTerminator);
    ForwardSearch separators(page, kAgeSeparator);

    const std::size_t textBudget = page.size() + kNestedCallTextAllowance;
    std::size_t textBytes = 0;
    // Once the list is full it is a ring: each entry replaces the oldest kept.
    std::size_t oldest = 0;
    std::size_t pos = logStart;
    for (;;) {
        const auto untimedCall = untimedCalls.From(pos);
        const auto timedCall = timedCalls.From(pos);
        if (untimedCall == kNone && timedCall == kNone) break;

        const bool timed = timedCall < untimedCall;
        const auto call = timed ? timedCall : untimedCall;
        const auto start = std::min(call + (timed ? kTimedTextOffset : kUntimedTextOffset), page.size());
        const auto terminator = terminators.From(start);
        const auto end = terminator == kNone ? page.size() : terminator;
        const auto separator = timed ? separators.From(start) : kNone;

        LogEntry entry = separator == kNone ? UntimedEntry(Span(page, start, end))
                                           : TimedEntry(Span(page, start, separator),
                                                        Span(page, separator + kMessageOffset, end), referenceTime);
        textBytes += entry.text.size() + entry.message.size();
        if (textBytes > textBudget) break;
        if (entries.size() < kMaxLogEntries) {
            entries.push_back(std::move(entry));
        } else {
            entries[oldest] = std::move(entry);
            oldest = (oldest + 1) % kMaxLogEntries;
        }
        if (terminator == kNone) break;
        // The next call may stand inside this entry's own text.
        pos = start;
    }
    std::rotate(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(oldest), entries.end());
    return entries;
}
