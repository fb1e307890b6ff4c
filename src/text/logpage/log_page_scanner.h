#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "logpage/log_entry.h"

// A call standing inside another call's text starts the next entry, so calls
// nested in one another give every entry the rest of the page. Once the
// entries' texts pass the page's own size by this much the scan stops, rather
// than let a hostile page exhaust memory; calls that stand one after another
// never come near it.
inline constexpr std::size_t kNestedCallTextAllowance = std::size_t{1} << 20;

// Routers keep a few thousand entries; a page with more keeps its newest
// (the last ones: the router lists the oldest first).
inline constexpr std::size_t kMaxLogEntries = 100000;

// The log calls after the page's "<BR><PRE>", timed entries dated against
// referenceTime (seconds since 1970-01-01 UTC), a negative age as none.
// Control characters in the texts become blanks.
std::vector<LogEntry> ScanLogEntries(std::string_view page, std::int32_t referenceTime);

// An age as the router writes it: blanks, a sign, digits; 0 without digits.
// Values beyond 32 bits clamp to the 32-bit range.
std::int32_t ParseAgeMs(std::string_view text);
