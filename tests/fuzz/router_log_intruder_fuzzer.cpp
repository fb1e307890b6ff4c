// router.log read in chunks cut where the input says: the same table as read
// in 256-byte chunks, with bounded fields.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "fuzz_input.h"
#include "intruders/router_log_intruder_reader.h"

namespace {
std::vector<IntruderRow> ReadRows(std::string_view text, std::uint32_t cuts) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    for (int i = 0; !text.empty(); ++i) {
        const std::size_t size = 1 + (cuts >> (i % 4 * 8) & 0xFF);
        reader.Feed(text.substr(0, size));
        text.remove_prefix(std::min(size, text.size()));
    }
    reader.Finish();
    const auto views = table.SortedRows(IntruderColumn::Address, false);
    return {views.begin(), views.end()};
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint32_t cuts = input.Uint32();
    const auto rows = ReadRows(input.Rest(), cuts);
    FuzzCheck(rows == ReadRows(input.Rest(), 0xFFFFFFFF), "same table however cut");
    for (const auto& row : rows) {
        FuzzCheck(row.protocol.size() <= kMaxReportFieldLength && row.port.size() <= kMaxReportFieldLength, "short fields");
        FuzzCheck(row.firstSeen.has_value() == row.lastSeen.has_value(), "both stamps or neither");
    }
    return 0;
}
