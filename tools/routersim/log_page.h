#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "sim_settings.h"

// The router's log page body: the WAN type line, then after "<BR><PRE>" one
// L1('text'); or L2(ageMs,' message'); call per entry, ages counted to `now`.
std::string RenderLogPage(const std::vector<SimLogEntry>& log, const std::string& wanType, SimClock::time_point now);

std::string RenderLogCall(const SimLogEntry& entry, SimClock::time_point now);

// Where a rendered page's calls begin.
inline constexpr std::string_view kLogCallsStart = "<BR><PRE>\n<SCRIPT>\n";

// Whole filler calls, numbered from `next` on (which moves past them), until
// the text holds at least `bytes`; the ages fall toward now.
std::string FillerCalls(unsigned long long& next, std::size_t bytes);

// Realistic timed entries appended until the page body holds at least `bytes`.
void FillLog(std::vector<SimLogEntry>& log, const std::string& wanType, std::size_t bytes, SimClock::time_point now);
