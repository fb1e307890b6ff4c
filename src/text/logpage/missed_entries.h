#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "logpage/date_text.h"
#include "logpage/log_entry.h"

// Whether the page holds a timed entry at or before lastDate, with the
// selection's one second of jitter.
bool HoldsEntryUpTo(const std::vector<LogEntry>& page, std::int32_t lastDate);

// The line saying that entries after lastDate may have left the router's
// log unread, or nothing. It is due when the previous page held the entry
// at lastDate and this page starts after it.
std::string MissedEntriesLine(const std::vector<LogEntry>& page, std::int32_t lastDate, bool previousPageHeldLastDate,
                              DateFormat format);
