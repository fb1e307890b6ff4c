#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "logpage/log_entry.h"

struct SelectionOptions {
    bool rememberDate = false;
    bool onlyIntrusion = false;
};

struct EntrySelection {
    std::vector<LogEntry> entries;  // in page order
    std::int32_t lastDate = 0;      // the remembered time after the update
};

// Whether an entry's time is new against the remembered time. Times are
// derived from ages and jitter by a second between pages, so a time one
// second after it is the same entry.
bool IsAfterLastDate(std::int32_t time, std::int32_t lastDate);

// The entries one update adds, chosen against the remembered time lastDate
// and the log screen's text as it was at the start of the update. The
// entries are taken over, so a caller done with them can move them in.
EntrySelection SelectNewEntries(std::vector<LogEntry> entries, std::string_view screenText,
                                SelectionOptions options, std::int32_t lastDate);
