#include "intruders/router_log_intruder_reader.h"

#include "intruders/intrusion_recognizer.h"

namespace {
constexpr std::string_view kNoticePrefix = "***";
}

RouterLogIntruderReader::RouterLogIntruderReader(IntruderTable& table) : table_(table) {}

void RouterLogIntruderReader::Feed(std::string_view chunk) {
    for (;;) {
        const auto end = chunk.find('\n');
        if (end == std::string_view::npos) return Keep(chunk);
        const auto piece = chunk.substr(0, end);
        chunk.remove_prefix(end + 1);
        // Most lines lie whole in one chunk: read them where they are.
        if (partial_.empty() && !overlong_) {
            ReadLine(piece);
        } else {
            Keep(piece);
            EndKeptLine();
        }
    }
}

void RouterLogIntruderReader::Finish() {
    EndKeptLine();
}

void RouterLogIntruderReader::Keep(std::string_view piece) {
    overlong_ = overlong_ || partial_.size() + piece.size() > kMaxRouterLogLineLength;
    if (overlong_) {
        partial_.clear();
        partial_.shrink_to_fit();
    } else {
        partial_.append(piece);
    }
}

void RouterLogIntruderReader::EndKeptLine() {
    if (!overlong_) ReadLine(partial_);
    partial_.clear();
    overlong_ = false;
}

void RouterLogIntruderReader::ReadLine(std::string_view line) {
    if (line.size() > kMaxRouterLogLineLength || line.starts_with(kNoticePrefix)) return;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (auto report = RecognizeIntrusion(line)) table_.Add(*report, ParseLeadingDate(line));
}
