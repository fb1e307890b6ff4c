#include "logupdate/log_screen.h"

#include <utility>

#include "notice_text.h"
#include "resource_ids.h"

namespace {
// An edit control takes about 30,000 characters by default (EM_LIMITTEXT):
// past that the screen starts over. It may exceed it within one update.
constexpr std::size_t kLogScreenLimit = 30000;
// Enough lines to bring the newest into view on any screen.
constexpr int kScrollToEndLines = 999999;
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
    text_ += lines;
    mainDialog_.SetText(IDC_LOG_SCREEN, text_);
    mainDialog_.ScrollLines(IDC_LOG_SCREEN, kScrollToEndLines);
    return startsOver || text_.size() == lines.size();
}
