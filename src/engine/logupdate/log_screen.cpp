#include "logupdate/log_screen.h"

#include <algorithm>
#include <utility>

#include "notice_text.h"
#include "resource_ids.h"

namespace {
// An edit control takes about 30,000 characters by default (EM_LIMITTEXT):
// past that the screen starts over. It may exceed it within one update.
constexpr std::size_t kLogScreenLimit = 30000;
// Enough lines to bring the newest into view on any screen.
constexpr int kScrollToEndLines = 999999;
constexpr char kHiddenLinesHead[] = "... ";
constexpr char kHiddenLinesTail[] = " earlier lines of this update are not shown here\r\n";

// An update of more than the limit would hold the window up for seconds
// while the control takes it, only to start over at the next update: the
// screen gets its newest whole lines, after a line that says how many went.
void AppendNewestLines(std::string& text, const std::string& lines) {
    if (lines.size() <= kLogScreenLimit) {
        text += lines;
        return;
    }
    std::size_t cut = lines.find('\n', lines.size() - kLogScreenLimit - 1);
    cut = cut == std::string::npos ? lines.size() : cut + 1;
    const auto hidden = std::count(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(cut), '\n');
    text.append(kHiddenLinesHead).append(std::to_string(hidden)).append(kHiddenLinesTail);
    text.append(lines, cut);
}
}  // namespace

std::string LogScreen::TextForUpdate() const { return text_.size() > kLogScreenLimit ? std::string() : text_; }

void LogScreen::Replace(std::string text) {
    text_ = std::move(text);
    mainDialog_.SetText(IDC_LOG_SCREEN, text_);
}

void LogScreen::StartUpdate() {
    if (text_.size() > kLogScreenLimit) Replace({});
}

bool LogScreen::Append(const std::string& lines) {
    const bool startsOver = text_.size() > kLogScreenLimit || IsNoticeText(text_);
    if (startsOver) text_.clear();
    const std::size_t before = text_.size();
    AppendNewestLines(text_, lines);
    mainDialog_.SetText(IDC_LOG_SCREEN, text_);
    mainDialog_.ScrollLines(IDC_LOG_SCREEN, kScrollToEndLines);
    return startsOver || before == 0;
}
