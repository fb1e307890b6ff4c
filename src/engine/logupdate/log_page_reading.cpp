#include "logupdate/log_page_reading.h"

#include <utility>
#include <vector>

#include "logpage/authorization_check.h"
#include "logpage/last_date_reset.h"
#include "logpage/log_page_scanner.h"
#include "logpage/missed_entries.h"
#include "logpage/wan_type_extractor.h"

namespace {

std::vector<LogRecord> RecordsOf(std::vector<LogEntry> entries) {
    std::vector<LogRecord> records;
    records.reserve(entries.size());
    for (LogEntry& entry : entries) {
        const bool timed = entry.kind == LogEntry::Kind::Timed;
        records.push_back(RecordOf(timed ? std::optional(entry.time) : std::nullopt,
                                   std::move(timed ? entry.message : entry.text)));
    }
    return records;
}

// The page's update, opened by the missed-entries line when entries rolled
// out unread. The missed-entries rule sees the page as the previous one left
// it; a page that moved the time on holds the entry at it.
void SelectAndRender(std::vector<LogEntry> entries, const LogPageContext& context, LogPageReading& reading) {
    const std::int32_t lastDate = reading.lastDate;
    const std::string missedLine =
        MissedEntriesLine(entries, lastDate, context.pageHeldLastDate, context.render.dateFormat);
    const bool heldLastDate = HoldsEntryUpTo(entries, lastDate);
    auto selection = SelectNewEntries(std::move(entries), context.screenText, context.selection, lastDate);
    reading.lastDate = selection.lastDate;
    reading.pageHeldLastDate = heldLastDate || selection.lastDate != lastDate;

    LogUpdate& update = reading.update;
    update.lines = RenderLogLines(selection.entries, context.render);
    update.records = RecordsOf(std::move(selection.entries));
    update.onlyIntrusion = context.selection.onlyIntrusion;
    update.opensWithMissedEntries = !missedLine.empty();
    update.lines.displayText.insert(0, missedLine);
    update.lines.fileText.insert(0, missedLine);
}

}  // namespace

LogPageReading ReadLogPage(const std::string& page, std::int32_t referenceTime, const LogPageContext& context) {
    LogPageReading reading;
    reading.lastDate = ApplyLastDateReset(context.screenText, context.selection.rememberDate, context.lastDate);
    reading.pageHeldLastDate = context.pageHeldLastDate;
    if (IsAuthorizationRequired(page)) {
        reading.authorizationFailed = true;
        return reading;
    }
    reading.wanType = ExtractWanType(page);
    SelectAndRender(ScanLogEntries(page, referenceTime), context, reading);
    return reading;
}
