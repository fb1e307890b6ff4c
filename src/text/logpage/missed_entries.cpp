#include "logpage/missed_entries.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "logpage/log_line_renderer.h"
#include "logpage/new_entry_selector.h"
#include "notice_text.h"

namespace {
constexpr std::string_view kMissedEntriesMiddle = " and ";
constexpr std::string_view kMissedEntriesEnd = " may be missing: the router's log no longer holds them\r\n";

// The page order is the router's; the oldest is searched for, not assumed.
std::optional<std::int32_t> OldestTime(const std::vector<LogEntry>& page) {
    std::optional<std::int32_t> oldest;
    for (const auto& entry : page) {
        if (entry.kind == LogEntry::Kind::Timed) oldest = std::min(oldest.value_or(entry.time), entry.time);
    }
    return oldest;
}
}  // namespace

bool HoldsEntryUpTo(const std::vector<LogEntry>& page, std::int32_t lastDate) {
    const auto oldest = OldestTime(page);
    return oldest && !IsAfterLastDate(*oldest, lastDate);
}

std::string MissedEntriesLine(const std::vector<LogEntry>& page, std::int32_t lastDate, bool previousPageHeldLastDate,
                              DateFormat format) {
    const auto oldest = OldestTime(page);
    if (!previousPageHeldLastDate || lastDate == 0 || !oldest || !IsAfterLastDate(*oldest, lastDate)) return {};
    std::string line(kMissedEntriesOpening);
    AppendLocalTime(line, lastDate, format);
    line += kMissedEntriesMiddle;
    AppendLocalTime(line, *oldest, format);
    line += kMissedEntriesEnd;
    return line;
}
