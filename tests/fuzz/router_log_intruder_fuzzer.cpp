// router.log read in chunks cut where the input says: the same table as read
// in one piece, one attempt for each report line, bounded fields.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string_view>

#include "fuzz_input.h"
#include "intruders/router_log_intruder_reader.h"

namespace {
IntruderTable ReadTable(std::string_view text, std::uint32_t cuts) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    for (int i = 0; !text.empty(); ++i) {
        const std::size_t size = 1 + (cuts >> (i % 4 * 8) & 0xFF);
        reader.Feed(text.substr(0, size));
        text.remove_prefix(std::min(size, text.size()));
    }
    reader.Finish();
    return table;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint32_t cuts = input.Uint32();
    const std::string_view text = input.Rest();
    const auto rows = ReadTable(text, cuts).SortedRows(IntruderColumn::Address, false);
    FuzzCheck(rows == ReadTable(text, 0xFFFFFFFF).SortedRows(IntruderColumn::Address, false), "same table however cut");

    // One pass over the lines as a reader of the whole file would take them.
    std::uint64_t reports = 0;
    std::set<std::uint32_t> addresses;
    for (std::string_view rest = text; !rest.empty();) {
        const auto line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(line.size() + 1, rest.size()));
        if (line.size() > MaxRouterLogLineLength || line.starts_with("***")) continue;
        if (const auto report = ParseIntrusionReport(line)) {
            ++reports;
            addresses.insert(report->address);
        }
    }
    std::uint64_t attempts = 0;
    for (const auto& row : rows) {
        attempts += row.attempts;
        FuzzCheck(row.protocol.size() <= MaxReportFieldLength && row.port.size() <= MaxReportFieldLength, "short fields");
        FuzzCheck(row.firstSeen.has_value() == row.lastSeen.has_value(), "both stamps or neither");
    }
    FuzzCheck(attempts == reports, "one attempt a report line");
    FuzzCheck(rows.size() == addresses.size(), "one row an address");
    return 0;
}
