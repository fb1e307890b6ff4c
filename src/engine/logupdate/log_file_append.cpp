#include "logupdate/log_file_append.h"

#include <algorithm>

namespace {

constexpr char kDroppedLinesHead[] = "*** ";
constexpr char kDroppedLinesTail[] = " log lines could not be written to router.log";
constexpr char kLineEnd[] = "\r\n";

std::string DroppedLinesNotice(std::size_t count) {
    if (count == 0) return {};
    return kDroppedLinesHead + std::to_string(count) + kDroppedLinesTail + kLineEnd;
}

// Drops whole lines from the front until the text fits.
void KeepWithinLimit(PendingLogText& pending) {
    std::size_t cut = 0;
    while (pending.text.size() - cut > kMaxPendingLogBytes) {
        const std::size_t lineEnd = pending.text.find('\n', cut);
        cut = lineEnd == std::string::npos ? pending.text.size() : lineEnd + 1;
        ++pending.droppedLines;
    }
    pending.text.erase(0, cut);
}

}  // namespace

void AppendToLogFile(FilePort& files, const std::string& path, std::string_view text, PendingLogText& pending) {
    const std::string notice = DroppedLinesNotice(pending.droppedLines);
    std::string bytes = notice + pending.text;
    bytes.append(text);
    const std::size_t written = std::min(files.AppendToFile(path, bytes), bytes.size());
    if (written == 0) {
        // The notice is not kept as text: it would count itself when lines are dropped.
        pending.text = bytes.substr(notice.size());
    } else {
        pending.droppedLines = 0;
        pending.text = bytes.substr(written);
    }
    KeepWithinLimit(pending);
}

void DropPendingLogText(PendingLogText& pending) { pending = {}; }
