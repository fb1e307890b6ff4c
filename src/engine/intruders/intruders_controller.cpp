#include "intruders/intruders_controller.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/worker_guard.h"
#include "intruders/local_stamp.h"
#include "intruders/router_log_intruder_reader.h"
#include "resource_ids.h"
#include "text_trim.h"

namespace {

constexpr char kReadingText[] = "Reading router.log...";
constexpr char kCannotReadText[] = "Cannot read router.log: ";
constexpr char kNoAttemptsText[] = "No intrusion attempts recorded";

// The columns in the order of IntruderColumn, which is also the window's.
constexpr IntruderColumn kColumns[] = {IntruderColumn::Address,  IntruderColumn::Attempts,
                                       IntruderColumn::FirstSeen, IntruderColumn::LastSeen,
                                       IntruderColumn::Protocol, IntruderColumn::Port};

// Counts and times read best from the largest down; names from A.
bool SortsDescendingFirst(IntruderColumn column) {
    return column == IntruderColumn::Attempts || column == IntruderColumn::FirstSeen ||
           column == IntruderColumn::LastSeen;
}

std::string StampText(const std::optional<LocalStamp>& stamp, DateFormat format) {
    std::string text;
    if (stamp) AppendStampText(text, *stamp, format);
    return text;
}

IntruderRowText RowText(const IntruderRow& row, DateFormat format) {
    return {AddressText(row.address), std::to_string(row.attempts), StampText(row.firstSeen, format),
            StampText(row.lastSeen, format), row.protocol, row.port};
}

std::string Counted(std::uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string SummaryText(std::uint64_t addresses, std::uint64_t attempts) {
    if (addresses == 0) return kNoAttemptsText;
    return Counted(addresses, "address", "addresses") + ", " + Counted(attempts, "attempt", "attempts");
}

// The table of router.log's first limit bytes.
IntruderTable ReadTable(FilePort& files, const std::string& path, std::uint64_t limit, FileReadResult& result) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    std::uint64_t left = limit;
    result = files.ReadFileInChunks(path, [&](std::string_view chunk) {
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        reader.Feed(chunk.substr(0, taken));
        left -= taken;
        return left > 0;
    });
    reader.Finish();
    return table;
}

}  // namespace

IntrudersController::IntrudersController(DialogPort& dialog, IntrudersWindowPort& window, SystemPort& system,
                                         FilePort& files, const Options& options)
    : dialog_(dialog), window_(window), system_(system), files_(files), options_(options) {}

void IntrudersController::StartReadingRouterLog(const std::string& path) {
    // Lines this run appends come to the table as updates, so the read
    // stops where the file ends now and nothing counts twice.
    const std::uint64_t limit = files_.FileSize(path).value_or(0);
    reading_ = true;
    system_.StartWorker([this, path, limit] {
        auto table = std::make_shared<IntruderTable>();
        std::string failure;
        RunGuarded(
            [&] {
                FileReadResult result;
                *table = ReadTable(files_, path, limit, result);
                if (result.outcome == FileReadResult::Outcome::Unreadable) {
                    failure = kCannotReadText + std::string(TrimWhiteSpace(system_.SystemMessageText(result.errorCode)));
                }
            },
            [&](std::string escaped) {
                *table = {};
                failure = std::move(escaped);
            });
        system_.PostToGuiThread([this, table, failure] { FinishReading(std::move(*table), failure); });
    });
}

void IntrudersController::FinishReading(IntruderTable table, std::string failure) {
    table_ = std::move(table);
    reading_ = false;
    readFailure_ = std::move(failure);
    for (Attempt& attempt : waiting_) Add(std::move(attempt));
    waiting_.clear();
    Refresh();
    if (tableChanged_) tableChanged_();
}

void IntrudersController::Add(Attempt attempt) {
    if (!reading_) {
        table_.Add(attempt.report, attempt.seen);
        return;
    }
    if (waiting_.size() == kMaxAttemptsWaitingForTheFile) waiting_.pop_front();
    waiting_.push_back(std::move(attempt));
}

void IntrudersController::Record(const std::vector<ReportedAttempt>& attempts) {
    // As router.log holds it, so that the same attempt read back at the next
    // start is known again: the short form has no seconds.
    const bool toTheMinute = LogDateFormat(options_) == DateFormat::Short;
    for (const ReportedAttempt& attempt : attempts) {
        auto seen = attempt.time ? StampFromTime(*attempt.time) : std::nullopt;
        if (seen && toTheMinute) seen->second = 0;
        Add({attempt.report, seen});
    }
    if (attempts.empty()) return;
    Refresh();
    if (tableChanged_) tableChanged_();
}

std::uint64_t IntrudersController::AttemptsToday() const {
    const std::int64_t now = system_.CurrentTime();
    if (now < 0 || now > INT32_MAX) return 0;
    const auto today = StampFromTime(static_cast<std::int32_t>(now));
    return today ? table_.AttemptsOnDay(*today) : 0;
}

void IntrudersController::Open() {
    if (!window_.Exists()) return;
    window_.Show();
    Refresh();
}

void IntrudersController::Close() { window_.Hide(); }

void IntrudersController::Refresh() {
    if (!window_.Exists() || !window_.IsVisible()) return;
    std::vector<IntruderRowText> rows;
    std::uint64_t attempts = 0;
    std::string message = readFailure_;
    if (reading_) {
        message = kReadingText;
    } else {
        const DateFormat format = LogDateFormat(options_);
        for (const auto& row : table_.SortedRows(sortColumn_, descending_)) {
            attempts += row.attempts;
            rows.push_back(RowText(row, format));
        }
    }
    if (message.empty()) message = SummaryText(rows.size(), attempts);
    dialog_.SetText(IDC_INTRUDERS_MESSAGE, message);
    window_.ShowRows(std::move(rows), window_.SelectedAddress());
}

void IntrudersController::OnColumnClick(int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= std::size(kColumns)) return;
    const IntruderColumn clicked = kColumns[column];
    // A second click on the same column turns the order round.
    descending_ = clicked == sortColumn_ ? !descending_ : SortsDescendingFirst(clicked);
    sortColumn_ = clicked;
    Refresh();
}

void IntrudersController::CopySelectedAddress() {
    const std::string address = SelectedAddress();
    if (!address.empty()) system_.CopyTextToClipboard(address);
}

std::string IntrudersController::SelectedAddress() { return window_.Exists() ? window_.SelectedAddress() : ""; }

void IntrudersController::ApplyLayout(const std::optional<IntrudersWindowLayout>& layout) {
    if (window_.Exists() && layout) window_.ApplyLayout(*layout);
}

std::optional<IntrudersWindowLayout> IntrudersController::CurrentLayout() {
    if (!window_.Exists()) return std::nullopt;
    return window_.CurrentLayout();
}
