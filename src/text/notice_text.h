#pragma once
#include <string_view>

// How the missed-entries line opens: a log line, though it looks like a notice.
inline constexpr std::string_view kMissedEntriesOpening = "*** Entries between ";

// Texts that begin with "***" stand in for a log: errors and notices.
inline bool IsNoticeText(std::string_view text) {
    return text.starts_with("***") && !text.starts_with(kMissedEntriesOpening);
}

// An empty log screen, or one showing a notice, holds no log lines.
inline bool ShowsNoLogLines(std::string_view screenText) {
    return screenText.empty() || IsNoticeText(screenText);
}
