#pragma once
#include <vector>

#include "logpage/date_text.h"
#include "logpage/log_entry.h"
#include "logpage/rendered_lines.h"

struct RenderOptions {
    DateFormat dateFormat = DateFormat::Long;
    bool logGMT = false;  // file lines of timed entries carry the UTC time too
};

// A time as the log lines show it; one that cannot be converted adds nothing.
void AppendLocalTime(std::string& out, std::int32_t time, DateFormat format);

// The selected entries as screen and file lines, in order. Timed entries
// show their local time; a time that cannot be converted shows as nothing.
RenderedLines RenderLogLines(const std::vector<LogEntry>& entries, RenderOptions options);
