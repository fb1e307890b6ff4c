#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "logproc/log_entry.h"

// The log calls after the page's "<BR><PRE>", timed entries dated against
// referenceTime (seconds since 1970-01-01 UTC).
std::vector<LogEntry> ScanLogEntries(std::string_view page, std::int32_t referenceTime);

// An age as the router writes it: blanks, a sign, digits; 0 without digits.
// Values beyond 32 bits clamp to the 32-bit range.
std::int32_t ParseAgeMs(std::string_view text);
