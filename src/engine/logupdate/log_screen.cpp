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
// An update shows at most this much, its newest lines: more would only go at
// the next update, and all of them are in router.log.
constexpr std::size_t kShownOfAnUpdate = kLogScreenLimit;
// An edit control takes in text slowly (Wine's some 2 us a character): it
// gets new lines this much at a time, so that the window answers between.
constexpr std::size_t kLinesPerStep = 2000;
constexpr char kHiddenLinesHead[] = "... ";
constexpr char kHiddenLinesTail[] = " earlier lines of this update are not shown here\r\n";

// The update's newest whole lines that fit, after a line that says how many went.
std::string NewestLines(const std::string& lines) {
    if (lines.size() <= kShownOfAnUpdate) return lines;
    std::size_t cut = lines.find('\n', lines.size() - kShownOfAnUpdate - 1);
    cut = cut == std::string::npos ? lines.size() : cut + 1;
    const auto hidden = std::count(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(cut), '\n');
    return kHiddenLinesHead + std::to_string(hidden) + kHiddenLinesTail + lines.substr(cut);
}
}  // namespace

std::string LogScreen::TextForUpdate() const { return text_.size() > kLogScreenLimit ? std::string() : text_; }

void LogScreen::Replace(std::string text) {
    text_ = std::move(text);
    waiting_.clear();
    mainDialog_.SetText(IDC_LOG_SCREEN, text_);
}

void LogScreen::StartUpdate() {
    if (text_.size() > kLogScreenLimit) Replace({});
}

bool LogScreen::Append(const std::string& lines) {
    const bool startsOver = text_.empty() || text_.size() > kLogScreenLimit || IsNoticeText(text_);
    const std::string shown = NewestLines(lines);
    if (startsOver) {
        text_ = shown;
        waiting_ = shown;
        mainDialog_.SetText(IDC_LOG_SCREEN, "");
    } else {
        text_ += shown;
        waiting_ += shown;
    }
    if (!stepPosted_) TakeNextStep();
    return startsOver;
}

// The control takes in the new lines alone, a few at a time, each step a
// task of its own on the GUI thread; the screen's text is whole meanwhile.
void LogScreen::TakeNextStep() {
    stepPosted_ = false;
    if (waiting_.empty()) return;
    std::size_t end = waiting_.size();
    if (end > kLinesPerStep) {
        const std::size_t lineEnd = waiting_.find('\n', kLinesPerStep - 1);
        end = lineEnd == std::string::npos ? waiting_.size() : lineEnd + 1;
    }
    mainDialog_.AppendText(IDC_LOG_SCREEN, waiting_.substr(0, end));
    mainDialog_.ScrollLines(IDC_LOG_SCREEN, kScrollToEndLines);
    waiting_.erase(0, end);
    if (waiting_.empty()) return;
    stepPosted_ = true;
    system_.PostToGuiThread([this] { TakeNextStep(); });
}
