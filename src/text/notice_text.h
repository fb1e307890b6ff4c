#pragma once
#include <string_view>

// Texts that begin with "***" stand in for a log: errors and notices.
inline bool IsNoticeText(std::string_view text) {
    return text.starts_with("***");
}

// An empty log screen, or one showing a notice, holds no log lines.
inline bool ShowsNoLogLines(std::string_view screenText) {
    return screenText.empty() || IsNoticeText(screenText);
}
