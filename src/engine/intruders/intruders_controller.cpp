#include "intruders/intruders_controller.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "intruders/local_stamp.h"
#include "intruders/router_log_intruder_reader.h"
#include "logupdate/log_options.h"
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

// Each line of the text that reports an intrusion, in order.
template <typename Visit>
void ForEachReport(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (auto report = ParseIntrusionReport(line)) visit(line, std::move(*report));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

IntrudersController::IntrudersController(MonitorContext& context, DialogPort& dialog, IntrudersWindowPort& window)
    : context_(context), dialog_(dialog), window_(window) {}

void IntrudersController::StartReadingRouterLog() {
    // Lines this run appends come to the table as updates, so the read
    // stops where the file ends now and nothing counts twice.
    const std::string path = context_.state.logFilePath;
    const std::uint64_t limit = context_.files.FileSize(path).value_or(0);
    {
        const std::lock_guard lock(mutex_);
        reading_ = true;
    }
    context_.system.StartWorker([this, path, limit] { ReadRouterLog(path, limit); });
}

void IntrudersController::ReadRouterLog(const std::string& path, std::uint64_t limit) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    std::uint64_t left = limit;
    const FileReadResult result = context_.files.ReadFileInChunks(path, [&](std::string_view chunk) {
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        reader.Feed(chunk.substr(0, taken));
        left -= taken;
        return left > 0;
    });
    reader.Finish();
    {
        const std::lock_guard lock(mutex_);
        std::swap(table_, table);
        RouterLogIntruderReader updates(table_);
        updates.Feed(updatesWhileReading_);
        updates.Finish();
        updatesWhileReading_.clear();
    }
    FinishReading(result);
}

void IntrudersController::FinishReading(const FileReadResult& result) {
    std::string failure;
    if (result.outcome == FileReadResult::Outcome::Unreadable) {
        failure = kCannotReadText + std::string(TrimWhiteSpace(context_.system.SystemMessageText(result.errorCode)));
    }
    {
        const std::lock_guard lock(mutex_);
        readFailure_ = std::move(failure);
        reading_ = false;
    }
    window_.RequestRefresh();
}

UpdateAttempts IntrudersController::RecordUpdate(std::string_view displayText) {
    UpdateAttempts attempts;
    const std::lock_guard lock(mutex_);
    ForEachReport(displayText, [&](std::string_view line, IntrusionReport report) {
        if (reading_) {
            updatesWhileReading_.append(line).append("\n");
        } else {
            table_.Add(report, ParseLeadingDate(line));
        }
        attempts.latest = std::move(report);
        ++attempts.count;
    });
    if (attempts.count > 0) window_.RequestRefresh();
    return attempts;
}

void IntrudersController::Open() {
    if (!window_.Exists()) return;
    window_.Show();
    Refresh();
}

void IntrudersController::Close() { window_.Hide(); }

void IntrudersController::Refresh() {
    if (!window_.Exists() || !window_.IsVisible()) return;
    const DateFormat format = ReadDateFormat(context_.dialog);
    std::vector<IntruderRowText> rows;
    std::uint64_t attempts = 0;
    std::string message;
    {
        const std::lock_guard lock(mutex_);
        if (reading_) {
            message = kReadingText;
        } else {
            for (const auto& row : table_.SortedRows(sortColumn_, descending_)) {
                attempts += row.attempts;
                rows.push_back(RowText(row, format));
            }
            message = readFailure_;
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
    if (!address.empty()) context_.system.CopyTextToClipboard(address);
}

std::string IntrudersController::SelectedAddress() { return window_.Exists() ? window_.SelectedAddress() : ""; }

void IntrudersController::ApplyStoredLayout() {
    if (window_.Exists() && context_.state.intrudersLayout) window_.ApplyLayout(*context_.state.intrudersLayout);
}

void IntrudersController::RememberLayout() {
    if (window_.Exists()) context_.state.intrudersLayout = window_.CurrentLayout();
}
