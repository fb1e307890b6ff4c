#include <gtest/gtest.h>

#include <string>

#include "logpage/log_page_scanner.h"
#include "unit/text/logpage/log_page_builder.h"

namespace {
constexpr std::int32_t R = 1000000;

std::size_t TextBytes(const std::vector<LogEntry>& entries) {
    std::size_t bytes = 0;
    for (const auto& entry : entries) bytes += entry.text.size() + entry.message.size();
    return bytes;
}
}  // namespace

TEST(HostileLogPage, NestedCallsStopWithinTheTextAllowance) {
    // Each "L1(" lacks its terminator, so each entry holds the rest of the
    // page: some hundred gigabytes in all, were the scan to go on.
    std::string calls;
    for (int i = 0; i < 200000; ++i) calls += "L1(x";
    const std::string page = "<BR><PRE>" + calls + "');";

    const auto entries = ScanLogEntries(page, R);
    EXPECT_LE(TextBytes(entries), page.size() + NestedCallTextAllowance);
    ASSERT_GE(entries.size(), 2u);
    // Those taken are whole: the first runs from its own text to the terminator.
    EXPECT_EQ(entries[0].text, calls.substr(4));
    EXPECT_EQ(entries[1].text, calls.substr(8));
}

TEST(HostileLogPage, CallsOneAfterAnotherKeepEveryEntryWhateverTheSize) {
    // Well past the allowance itself: the bound follows the page's size.
    std::string calls;
    const int count = 100000;
    for (int i = 0; i < count; ++i) calls += L2(1000, "Unrecognized access from 10.0.0.1:1 to TCP port " + std::to_string(i));
    ASSERT_GT(calls.size(), NestedCallTextAllowance);

    const auto entries = ScanLogEntries(LogPage(calls), R);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(entries.back().message, "Unrecognized access from 10.0.0.1:1 to TCP port 99999");
}
