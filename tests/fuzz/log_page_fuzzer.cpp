// One update's text path: scan a page, select against a remembered time and
// a screen, render. Input: a flags byte, lastDate, referenceTime and a screen
// length (little endian), then the page.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "logpage/log_line_renderer.h"
#include "logpage/log_page_scanner.h"
#include "logpage/new_entry_selector.h"
#include "notice_text.h"

namespace {
constexpr std::string_view LineEnd = "\r\n";

std::size_t CountOf(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (auto at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

bool SameEntry(const LogEntry& a, const LogEntry& b) {
    return a.kind == b.kind && a.ageMs == b.ageMs && a.time == b.time && a.message == b.message && a.text == b.text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto flags = input.Byte();
    SelectionOptions options;
    options.rememberDate = (flags & 0x01) != 0;
    options.onlyIntrusion = (flags & 0x02) != 0;
    RenderOptions render;
    render.logGMT = (flags & 0x04) != 0;
    render.dateFormat = static_cast<DateFormat>(std::min((flags >> 3) & 0x03, 2));
    const auto lastDate = static_cast<std::int32_t>(input.Uint32());
    const auto referenceTime = static_cast<std::int32_t>(input.Uint32());
    const std::size_t screenLow = input.Byte();
    const std::size_t screenLength = screenLow | std::size_t{input.Byte()} << 8;
    const std::string_view page = input.Rest();
    const auto scanned = ScanLogEntries(page, referenceTime);

    // Empty, a notice, the start of the page, or what a first update showed.
    const int screenKind = (flags >> 5) & 0x03;
    const std::string screen = screenKind == 0 ? std::string()
                               : screenKind == 1 ? std::string("*** (empty) ***")
                               : screenKind == 2 ? std::string(page.substr(0, screenLength))
                                                 : RenderLogLines(SelectNewEntries(scanned, {}, options, 0).entries,
                                                                   render).displayText;
    const auto selection = SelectNewEntries(scanned, screen, options, lastDate);
    std::size_t next = 0;
    for (const auto& chosen : selection.entries) {
        while (next < scanned.size() && !SameEntry(scanned[next], chosen)) ++next;
        FuzzCheck(next++ < scanned.size(), "selection is an in-order subsequence of the page's entries");
    }

    // Without the intrusion bypass the remembered time only grows, so the same
    // page polled again brings nothing new: no line reaches router.log twice.
    if (ShowsNoLogLines(screen) || options.rememberDate) {
        const auto second = SelectNewEntries(scanned, screen, options, selection.lastDate);
        FuzzCheck(second.entries.empty(), "a page polled twice adds nothing the second time");
        FuzzCheck(second.lastDate == selection.lastDate, "a second poll keeps the remembered time");
    }

    // Control characters from the page became blanks: every entry is one line.
    const auto update = RenderLogLines(selection.entries, render);
    const std::size_t lines = selection.entries.size();
    for (const std::string_view text : {std::string_view(update.displayText), std::string_view(update.fileText)}) {
        FuzzCheck(CountOf(text, LineEnd) == lines && CountOf(text, "\n") == lines && CountOf(text, "\r") == lines,
                  "one line per rendered entry, on the screen and in the file");
    }
    if (!render.logGMT) FuzzCheck(update.fileText == update.displayText, "without GMT the file repeats the screen");
    return 0;
}
