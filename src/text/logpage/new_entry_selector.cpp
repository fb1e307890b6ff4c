#include "logpage/new_entry_selector.h"

#include <utility>

#include "logpage/intrusion_marker.h"
#include "notice_text.h"
#include "logpage/substring_filter.h"

namespace {
// An intrusion the screen does not show yet is reported whatever its time,
// unless the user keeps the remembered time across screens. The screen is
// searched through a filter only when the rule can apply at all.
class BypassTest {
public:
    BypassTest(std::string_view screenText, SelectionOptions options)
        : applies_(!ShowsNoLogLines(screenText) && !options.rememberDate),
          screen_(applies_ ? screenText : std::string_view()) {}

    bool Passes(const LogEntry& entry) const {
        return applies_ && ContainsIntrusionMarker(entry.message) && !screen_.Contains(entry.message);
    }

private:
    bool applies_;
    SubstringFilter screen_;
};

}  // namespace

// At least two seconds after the remembered time; in 64 bits so that a
// remembered time at the top of the range cannot overflow.
bool IsAfterLastDate(std::int32_t time, std::int32_t lastDate) {
    return std::int64_t{time} > std::int64_t{lastDate} + 1;
}

EntrySelection SelectNewEntries(std::vector<LogEntry> entries, std::string_view screenText,
                                SelectionOptions options, std::int32_t lastDate) {
    const BypassTest bypassTest(screenText, options);
    bool timedEmitted = false;
    // Emitted entries are moved to the front in order, so no copy is made.
    std::size_t emitted = 0;
    const auto emit = [&](LogEntry& entry) {
        if (&entries[emitted] != &entry) entries[emitted] = std::move(entry);
        ++emitted;
    };
    for (auto& entry : entries) {
        if (entry.kind == LogEntry::Kind::Untimed) {
            if (timedEmitted && !options.onlyIntrusion) emit(entry);
            continue;
        }
        if (!bypassTest.Passes(entry) && !IsAfterLastDate(entry.time, lastDate)) continue;
        // Accepted: the time moves on even when the entry is filtered out.
        lastDate = entry.time;
        if (options.onlyIntrusion && !ContainsIntrusionMarker(entry.message)) continue;
        emit(entry);
        timedEmitted = true;
    }
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(emitted), entries.end());
    return {std::move(entries), lastDate};
}
