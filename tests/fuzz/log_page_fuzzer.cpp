// One update's text path: scan a page, select against a remembered time and
// a screen, render. Input: a flags byte, lastDate, referenceTime and a screen
// length (little endian), then the page.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "logpage/intrusion_marker.h"
#include "logpage/log_line_renderer.h"
#include "logpage/log_page_scanner.h"
#include "notice_text.h"
#include "logpage/new_entry_selector.h"
#include "logpage/substring_filter.h"

namespace {
constexpr std::string_view LogStartMarker = "<BR><PRE>";
constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view NoticeScreen = "*** (empty) ***";
// Enough to exercise the screen filter without a quadratic slowdown.
constexpr std::size_t FilterChecksPerInput = 16;

struct Parameters {
    SelectionOptions selection;
    RenderOptions render;
    int screenKind = 0;
    std::int32_t lastDate = 0;
    std::int32_t referenceTime = 0;
    std::uint16_t screenLength = 0;
};

Parameters ReadParameters(FuzzInput& input) {
    Parameters p;
    const auto flags = input.Byte();
    p.selection.rememberDate = (flags & 0x01) != 0;
    p.selection.onlyIntrusion = (flags & 0x02) != 0;
    p.render.logGMT = (flags & 0x04) != 0;
    const int format = (flags >> 3) & 0x03;
    p.render.dateFormat = format == 0 ? DateFormat::Windows : format == 1 ? DateFormat::Short : DateFormat::Long;
    p.screenKind = (flags >> 5) & 0x03;
    p.lastDate = input.Int32();
    p.referenceTime = input.Int32();
    const auto low = input.Byte();
    const auto high = input.Byte();
    p.screenLength = static_cast<std::uint16_t>(low | high << 8);
    return p;
}

// Empty, a notice, the start of the page, or what a first update of the same
// page would have shown.
std::string ScreenText(const Parameters& p, std::string_view page, const std::vector<LogEntry>& entries) {
    switch (p.screenKind) {
        case 0: return {};
        case 1: return std::string(NoticeScreen);
        case 2: return std::string(page.substr(0, p.screenLength));
        default: {
            const auto shown = SelectNewEntries(entries, {}, p.selection, 0);
            return RenderLogUpdate(shown.entries, p.render).displayText;
        }
    }
}

std::size_t CountOf(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (auto at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

bool SameEntry(const LogEntry& a, const LogEntry& b) {
    return a.kind == b.kind && a.ageMs == b.ageMs && a.time == b.time && a.message == b.message && a.text == b.text;
}

void CheckSelection(const std::vector<LogEntry>& scanned, const EntrySelection& selection, const Parameters& p) {
    // In page order, each scanned entry at most once.
    std::size_t next = 0;
    for (const auto& chosen : selection.entries) {
        while (next < scanned.size() && !SameEntry(scanned[next], chosen)) ++next;
        FuzzCheck(next < scanned.size(), "selection is a subsequence of the page's entries");
        ++next;
    }
    if (!selection.entries.empty()) {
        FuzzCheck(selection.entries.front().kind == LogEntry::Kind::Timed, "untimed lines only follow a timed one");
    }
    if (p.selection.onlyIntrusion) {
        for (const auto& chosen : selection.entries) {
            FuzzCheck(chosen.kind == LogEntry::Kind::Timed && ContainsIntrusionMarker(chosen.message),
                      "intrusions only");
        }
    }
    if (selection.lastDate != p.lastDate) {
        const bool fromAnEntry = std::any_of(scanned.begin(), scanned.end(), [&](const LogEntry& e) {
            return e.kind == LogEntry::Kind::Timed && e.time == selection.lastDate;
        });
        FuzzCheck(fromAnEntry, "a moved lastDate is some entry's time");
    }
}

// Without the intrusion bypass the remembered time only grows, so the same
// page polled again brings nothing new: no line reaches router.log twice.
void CheckSecondPollAddsNothing(const std::vector<LogEntry>& scanned, std::string_view screen,
                                const EntrySelection& first, const Parameters& p) {
    const bool bypassPossible = !ShowsNoLogLines(screen) && !p.selection.rememberDate;
    if (bypassPossible) return;
    const auto second = SelectNewEntries(scanned, screen, p.selection, first.lastDate);
    FuzzCheck(second.entries.empty(), "a page polled twice adds nothing the second time");
    FuzzCheck(second.lastDate == first.lastDate, "a second poll keeps the remembered time");
}

void CheckScreenFilter(std::string_view screen, const std::vector<LogEntry>& entries) {
    const SubstringFilter filter(screen);
    std::size_t checks = 0;
    for (const auto& entry : entries) {
        if (checks++ == FilterChecksPerInput) break;
        const auto& text = entry.kind == LogEntry::Kind::Timed ? entry.message : entry.text;
        FuzzCheck(filter.Contains(text) == (screen.find(text) != std::string_view::npos), "filter answers exactly");
    }
}

void CheckRendering(const std::vector<LogEntry>& selected, const LogUpdate& update, const Parameters& p) {
    // Every line ends in "\r\n"; texts from the page may hold more of them.
    std::size_t lineEnds = selected.size();
    for (const auto& entry : selected) lineEnds += CountOf(entry.message, LineEnd) + CountOf(entry.text, LineEnd);
    FuzzCheck(CountOf(update.displayText, LineEnd) == lineEnds, "one line end per rendered entry");
    FuzzCheck(CountOf(update.fileText, LineEnd) == lineEnds, "the file gets the same lines");
    FuzzCheck(selected.empty() == update.displayText.empty(), "lines exactly when entries");
    if (!p.render.logGMT) FuzzCheck(update.fileText == update.displayText, "without GMT the file repeats the screen");
    if (p.render.logGMT) FuzzCheck(update.fileText.size() >= update.displayText.size(), "GMT only adds");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Parameters p = ReadParameters(input);
    const std::string_view page = input.Rest();

    const auto scanned = ScanLogEntries(page, p.referenceTime);
    if (page.find(LogStartMarker) == std::string_view::npos) FuzzCheck(scanned.empty(), "no log marker, no entries");

    const std::string screen = ScreenText(p, page, scanned);
    CheckScreenFilter(screen, scanned);

    const auto selection = SelectNewEntries(scanned, screen, p.selection, p.lastDate);
    CheckSelection(scanned, selection, p);
    CheckSecondPollAddsNothing(scanned, screen, selection, p);

    CheckRendering(selection.entries, RenderLogUpdate(selection.entries, p.render), p);
    return 0;
}
