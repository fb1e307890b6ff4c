#include "logpage/log_line_renderer.h"

#include <string_view>

#include "logpage/broken_down_time.h"

namespace {
constexpr std::string_view kTimeSeparator = " - ";
constexpr std::string_view kLineEnd = "\r\n";
// Room for the longest date form, the GMT suffix and the separators.
constexpr std::size_t kLineOverhead = 80;

void AppendGmtSuffix(std::string& out, std::int32_t time) {
    if (const auto utc = ToUniversalTime(time)) AppendGmtSuffixText(out, *utc);
}

void AppendDisplayLine(std::string& out, const LogEntry& entry, DateFormat format) {
    if (entry.kind == LogEntry::Kind::Untimed) {
        out += entry.text;
        return;
    }
    AppendLocalTime(out, entry.time, format);
    out += kTimeSeparator;
    out += entry.message;
}

std::size_t EstimatedTextSize(const std::vector<LogEntry>& entries) {
    std::size_t size = 0;
    for (const auto& entry : entries) size += entry.message.size() + entry.text.size() + kLineOverhead;
    return size;
}
}  // namespace

void AppendLocalTime(std::string& out, std::int32_t time, DateFormat format) {
    if (const auto local = ToLocalTime(time)) AppendDateText(out, *local, format);
}

RenderedLines RenderLogLines(const std::vector<LogEntry>& entries, RenderOptions options) {
    RenderedLines lines;
    const auto capacity = EstimatedTextSize(entries);
    lines.displayText.reserve(capacity);
    lines.fileText.reserve(capacity);
    for (const auto& entry : entries) {
        // The file line is the display line, with the UTC time after it.
        const auto lineStart = lines.displayText.size();
        AppendDisplayLine(lines.displayText, entry, options.dateFormat);
        lines.fileText.append(lines.displayText, lineStart);
        if (entry.kind == LogEntry::Kind::Timed && options.logGMT) AppendGmtSuffix(lines.fileText, entry.time);
        lines.displayText += kLineEnd;
        lines.fileText += kLineEnd;
    }
    return lines;
}
