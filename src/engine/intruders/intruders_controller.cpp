#include "intruders/intruders_controller.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/worker_guard.h"
#include "csv_text.h"
#include "intruders/address_block.h"
#include "intruders/local_stamp.h"
#include "intruders/router_log_intruder_reader.h"
#include "resource_ids.h"
#include "text_trim.h"

namespace {

constexpr int kSingleAddressPrefix = 32;
constexpr char kReadingText[] = "Reading router.log...";
constexpr char kCannotReadText[] = "Cannot read router.log: ";
constexpr char kNoAttemptsText[] = "No intrusion attempts recorded";
constexpr char kOneAddress[] = "address";
constexpr char kAddresses[] = "addresses";
constexpr char kOneAttempt[] = "attempt";
constexpr char kAttempts[] = "attempts";
constexpr char kIgnoredCount[] = " ignored";
constexpr char kDroppedStart[] = "; ";
constexpr char kDroppedMiddle[] = " seen least recently made room (the table keeps ";
constexpr char kDroppedEnd[] = ")";
constexpr char kListSeparator[] = ", ";
constexpr char kIgnoredMark[] = "yes";
constexpr char kChartTitle[] = "Attempts per day, last 30 days: ";
constexpr char kAllAddressesText[] = "all addresses";
constexpr char kIgnoreText[] = "Ignore";
constexpr char kWatchAgainText[] = "Watch again";
constexpr char kCsvFilter[] = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr char kCsvExtension[] = "csv";
constexpr char kCsvFileName[] = "intruders.csv";
constexpr unsigned kSaveFileFlags = 0x806;  // OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST
constexpr char kCannotSaveText[] = "Cannot save the table as ";

// The columns in the order of IntruderColumn, which is also the window's.
constexpr IntruderColumn kColumns[] = {
    IntruderColumn::Address,  IntruderColumn::Attempts, IntruderColumn::FirstSeen, IntruderColumn::LastSeen,
    IntruderColumn::Protocol, IntruderColumn::Port,     IntruderColumn::LastDay,   IntruderColumn::LastWeek,
    IntruderColumn::LastMonth, IntruderColumn::Ignored};
static_assert(std::size(kColumns) == kIntruderColumnCount);

// Names read best from A, counts, times and the ignored mark from the most.
bool SortsDescendingFirst(IntruderColumn column) {
    return column != IntruderColumn::Address && column != IntruderColumn::Protocol && column != IntruderColumn::Port;
}

std::string StampText(const std::optional<LocalStamp>& stamp, DateFormat format) {
    std::string text;
    if (stamp) AppendStampText(text, *stamp, format);
    return text;
}

IntruderRowText RowText(const IntruderView& row, DateFormat format) {
    return {AddressText(row.address),
            std::to_string(row.attempts),
            StampText(row.firstSeen, format),
            StampText(row.lastSeen, format),
            row.protocol,
            row.port,
            std::to_string(row.recent.lastDay),
            std::to_string(row.recent.lastWeek),
            std::to_string(row.recent.lastMonth),
            row.ignored ? kIgnoredMark : ""};
}

std::string Counted(std::uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

struct Totals {
    std::uint64_t addresses = 0, attempts = 0, ignored = 0, dropped = 0;
};

std::string SummaryText(const Totals& totals) {
    if (totals.addresses == 0) return kNoAttemptsText;
    std::string text = Counted(totals.addresses, kOneAddress, kAddresses) + kListSeparator +
                       Counted(totals.attempts, kOneAttempt, kAttempts);
    if (totals.ignored > 0) text += kListSeparator + std::to_string(totals.ignored) + kIgnoredCount;
    if (totals.dropped > 0) {
        text += kDroppedStart + Counted(totals.dropped, kOneAddress, kAddresses) + kDroppedMiddle +
                std::to_string(kMaxIntruderAddresses) + kDroppedEnd;
    }
    return text;
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
    : dialog_(dialog), window_(window), system_(system), files_(files), options_(options), calming_(dialog, window) {}

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
    if (attempts.empty()) return;
    // As router.log holds it, so that the same attempt read back at the next
    // start is known again: the short form has no seconds.
    const bool toTheMinute = LogDateFormat(options_) == DateFormat::Short;
    for (const ReportedAttempt& attempt : attempts) toAdd_.push_back({attempt, toTheMinute});
    if (!stepPosted_) AddNextStep();
}

// A page of a hundred thousand attempts would hold the windows up: the table
// takes them a few thousand at a time, each step a task of its own.
void IntrudersController::AddNextStep() {
    stepPosted_ = false;
    for (std::size_t added = 0; added < kAttemptsPerStep && !toAdd_.empty(); ++added) {
        const auto& [attempt, toTheMinute] = toAdd_.front();
        auto seen = attempt.time ? StampFromTime(*attempt.time) : std::nullopt;
        if (seen && toTheMinute) seen->second = 0;
        Add({attempt.report, seen});
        toAdd_.pop_front();
    }
    if (!toAdd_.empty()) {
        stepPosted_ = true;
        system_.PostToGuiThread([this] { AddNextStep(); });
        return;
    }
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
    calming_.Show(options_);
    window_.Show();
    Refresh();
}

void IntrudersController::Close() { window_.Hide(); }

LocalMoment IntrudersController::Now() {
    const std::int64_t now = system_.CurrentTime();
    return clock_.FromUniversal(now).value_or(LocalMoment{now, now});
}

void IntrudersController::Refresh() {
    if (!window_.Exists() || !window_.IsVisible()) return;
    std::vector<IntruderRowText> rows;
    Totals totals;
    std::string message = readFailure_;
    if (reading_) {
        message = kReadingText;
    } else {
        const DateFormat format = LogDateFormat(options_);
        for (const auto& row : table_.SortedRows(sortColumn_, descending_, Now(), options_.ignoredAddresses)) {
            totals.attempts += row.attempts;
            totals.ignored += row.ignored ? 1 : 0;
            rows.push_back(RowText(row, format));
        }
        totals.addresses = rows.size();
        totals.dropped = table_.DroppedAddressCount();
    }
    if (message.empty()) message = SummaryText(totals);
    dialog_.SetText(IDC_INTRUDERS_MESSAGE, message);
    window_.ShowRows(std::move(rows), window_.SelectedAddress());
    ShowChart();
}

std::optional<std::uint32_t> IntrudersController::SelectedNumber() {
    const auto block = ParseAddressBlock(SelectedAddress());
    if (!block || block->prefixLength != kSingleAddressPrefix) return std::nullopt;
    return block->network;
}

void IntrudersController::ShowChart() {
    if (!window_.Exists() || !window_.IsVisible()) return;
    const LocalMoment now = Now();
    const auto address = SelectedNumber();
    charted_ = address;
    dialog_.SetText(IDC_INTRUDERS_CHART_TITLE, kChartTitle + (address ? AddressText(*address) : kAllAddressesText));
    const bool ignored = address && options_.ignoredAddresses.Ignores(*address);
    dialog_.SetText(IDC_INTRUDERS_IGNORE, ignored ? kWatchAgainText : kIgnoreText);
    window_.ShowChart(AttemptChart(table_.AttemptsPerDay(now, address), now.Day()), LogDateFormat(options_));
}

void IntrudersController::OnSelectionChanged() {
    if (SelectedNumber() != charted_) ShowChart();
}

void IntrudersController::OnColumnClick(int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= std::size(kColumns)) return;
    const IntruderColumn clicked = kColumns[column];
    // A second click on the same column turns the order round.
    descending_ = clicked == sortColumn_ ? !descending_ : SortsDescendingFirst(clicked);
    sortColumn_ = clicked;
    Refresh();
}

void IntrudersController::OnCommand(int commandId, ControlEvent event, Options& options) {
    calming_.TakeQuietChange(commandId, event, options);
    if (event != ControlEvent::Clicked) return;
    switch (commandId) {
    case IDC_INTRUDERS_COPY:
        if (const std::string address = SelectedAddress(); !address.empty()) system_.CopyTextToClipboard(address);
        break;
    case IDC_INTRUDERS_ALL:
        window_.SelectNoRow();
        ShowChart();
        break;
    case IDC_INTRUDERS_IGNORE: ToggleIgnoreSelected(options); break;
    case IDC_INTRUDERS_IGNORE_ADD:
        if (calming_.AddTypedEntry(options)) Refresh();
        break;
    case IDC_INTRUDERS_IGNORE_REMOVE:
        if (calming_.RemoveSelectedEntry(options)) Refresh();
        break;
    case IDC_INTRUDERS_SAVE_CSV: SaveAsCsv(); break;
    default: break;
    }
}

void IntrudersController::OnEnter(Options& options) {
    if (!window_.Exists() || !window_.IgnoreBoxHasFocus()) {
        Close();
    } else if (calming_.AddTypedEntry(options)) {
        Refresh();
    }
}

void IntrudersController::ToggleIgnoreSelected(Options& options) {
    const auto address = SelectedNumber();
    if (address && calming_.ToggleAddress(*address, options)) Refresh();
}

// Every row and column, as the window sorts and shows them.
void IntrudersController::SaveAsCsv() {
    const auto path = system_.ChooseSaveFile({kCsvFilter, kCsvExtension, kSaveFileFlags, kCsvFileName});
    if (!path) return;
    std::vector<std::vector<std::string>> rows{{kIntruderColumnTitles.begin(), kIntruderColumnTitles.end()}};
    const DateFormat format = LogDateFormat(options_);
    for (const auto& row : table_.SortedRows(sortColumn_, descending_, Now(), options_.ignoredAddresses)) {
        const IntruderRowText text = RowText(row, format);
        rows.emplace_back(text.begin(), text.end());
    }
    if (!files_.WriteWholeFile(*path, CsvFile(rows))) dialog_.ShowMessage(kCannotSaveText + *path, MessageButtons::Ok);
}

std::string IntrudersController::SelectedAddress() { return window_.Exists() ? window_.SelectedAddress() : ""; }

void IntrudersController::ApplyLayout(const std::optional<IntrudersWindowLayout>& layout) {
    if (window_.Exists() && layout) window_.ApplyLayout(*layout);
}

std::optional<IntrudersWindowLayout> IntrudersController::CurrentLayout() {
    if (!window_.Exists()) return std::nullopt;
    return window_.CurrentLayout();
}
