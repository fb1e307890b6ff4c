#include <gtest/gtest.h>

#include "intruders/router_log_intruder_reader.h"
#include "unit/text/logpage/time_zone_guard.h"

namespace {
std::vector<IntruderRow> ReadInChunks(std::string_view log, std::size_t first, std::size_t size) {
    IntruderTable table;
    RouterLogIntruderReader reader(table);
    reader.Feed(log.substr(0, first));
    for (log.remove_prefix(std::min(first, log.size())); !log.empty(); log.remove_prefix(std::min(size, log.size()))) {
        reader.Feed(log.substr(0, size));
    }
    reader.Finish();
    const auto views = table.SortedRows(IntruderColumn::Address, false);
    return {views.begin(), views.end()};
}
}  // namespace

TEST(RouterLogIntruderReader, SameTableHoweverTheFileIsCut) {
    const std::string fits = "Unrecognized access from 5.5.5.5:1 to UDP port 1";
    const std::string log =
        "*** Notice: Unrecognized access from 1.1.1.1:1 to UDP port 1\r\n"
        "Monday, March 05, 2001 09:05:07 - Unrecognized access from 207.71.92.221:137 to UDP port 137"
        " ( 2001/03/05 - 09:05:07 GMT )\r\n"
        "2001/03/05 - 09:06 - DHCP:ack(DOL=1800,T1=900,T2=1200)\n"
        "Unrecognized access from 9.8.7.6:1 to TCP port 80\r\n"
        "2001/03/05 - 12:00 - gw kernel: DROP IN=ppp0 OUT= SRC=9.8.7.6 PROTO=TCP DPT=23\r\n"
        "March 05, 2001, 01:07:00 PM - Unrecognized access from 207.71.92.221:138 to TCP port 139\r\n" +
        fits + std::string(kMaxRouterLogLineLength - fits.size(), ' ') + "\n" +
        "Unrecognized access from 6.6.6.6:1 to UDP port 1" + std::string(kMaxRouterLogLineLength, ' ') + "\r\n" +
        std::string("\0\xff\r\r\n\n", 6) + "2001/03/06 - 10:00 - Unrecognized access from 9.8.7.6:2 to UDP port 53";
    const std::vector<IntruderRow> expected = {
        {0x05050505, 1, std::nullopt, std::nullopt, "UDP", "1"},
        {0x09080706, 3, LocalStamp{2001, 3, 5, 12, 0, 0}, LocalStamp{2001, 3, 6, 10, 0, 0}, "UDP", "53"},
        {0xCF475CDD, 2, LocalStamp{2001, 3, 5, 9, 5, 7}, LocalStamp{2001, 3, 5, 13, 7, 0}, "TCP", "139"},
    };
    for (std::size_t cut = 0; cut <= log.size(); ++cut) {
        ASSERT_EQ(ReadInChunks(log, cut, log.size()), expected) << "cut at " << cut;
    }
    for (std::size_t size = 1; size <= 200; ++size) {
        ASSERT_EQ(ReadInChunks(log, 0, size), expected) << "chunks of " << size;
    }
}

TEST(IntruderTable, SortsEachColumnWithTiesByAddress) {
    constexpr std::uint32_t A = 0x09000001, B = 0x0A000002, C = 0x0A00000A;  // 9.0.0.1 < 10.0.0.2 < 10.0.0.10
    const TimeZoneGuard zone("UTC0");
    IntruderTable table;
    table.Add({B, "UDP", "7"}, LocalStamp{2001, 3, 5, 9, 0, 0});
    table.Add({B, "UDP", "7"}, std::nullopt);
    table.Add({C, "", ""}, LocalStamp{2001, 3, 5, 10, 0, 0});
    for (int i = 0; i < 3; ++i) table.Add({A, "UDP", "999"}, std::nullopt);
    table.Add({B, "TCP", "1000"}, LocalStamp{2001, 3, 6, 8, 0, 0});
    // 2001-03-06 09:00 UTC; 10.0.0.10 is left alone.
    const LocalMoment now{983869200, 983869200};
    const IgnoreList ignored({"10.0.0.8/29"});
    EXPECT_EQ(table.SortedRows(IntruderColumn::Address, false, now, ignored)[1],
              (IntruderView{{B, 3, LocalStamp{2001, 3, 5, 9, 0, 0}, LocalStamp{2001, 3, 6, 8, 0, 0}, "TCP", "1000"},
                            {2, 2, 2},
                            false}));

    const struct {
        IntruderColumn column;
        bool descending;
        std::vector<std::uint32_t> order;
    } views[] = {
        {IntruderColumn::Attempts, false, {C, A, B}},
        {IntruderColumn::Attempts, true, {A, B, C}},  // ties stay ascending
        {IntruderColumn::Address, true, {C, B, A}},
        {IntruderColumn::FirstSeen, false, {A, B, C}},
        {IntruderColumn::LastSeen, false, {A, C, B}},
        {IntruderColumn::Protocol, false, {C, B, A}},
        {IntruderColumn::Port, false, {C, A, B}},
        {IntruderColumn::LastDay, false, {A, C, B}},
        {IntruderColumn::LastMonth, true, {B, C, A}},
        {IntruderColumn::Ignored, true, {C, A, B}},
    };
    for (const auto& view : views) {
        std::vector<std::uint32_t> order;
        for (const auto& row : table.SortedRows(view.column, view.descending, now, ignored)) {
            order.push_back(row.address);
        }
        EXPECT_EQ(order, view.order) << static_cast<int>(view.column) << " " << view.descending;
    }
    DayCounts all{}, ofB{};
    all[28] = 2, all[29] = 1, ofB[28] = 1, ofB[29] = 1;
    EXPECT_EQ(table.AttemptsPerDay(now), all);
    EXPECT_EQ(table.AttemptsPerDay(now, B), ofB);
    EXPECT_EQ(table.AttemptsPerDay(now, 0x01020304), DayCounts{});
}

namespace {
constexpr LocalStamp T1{2001, 3, 5, 9, 0, 0}, T2{2001, 3, 5, 9, 0, 2};
// A second away across the turn of a year: the same time, counted back from an age.
constexpr LocalStamp kYearEnd{2000, 12, 31, 23, 59, 59}, kYearStart{2001, 1, 1, 0, 0, 0};

std::uint64_t AllAttempts(const IntruderTable& table) {
    std::uint64_t attempts = 0;
    for (const auto& row : table.SortedRows(IntruderColumn::Address, false)) attempts += row.attempts;
    return attempts;
}
}  // namespace

TEST(IntruderTable, AnAttemptAddedAgainCountsOnce) {
    using Added = std::vector<std::pair<IntrusionReport, std::optional<LocalStamp>>>;
    const IntrusionReport a{1, "UDP", "137"}, b{2, "TCP", "80"};
    const std::pair<Added, std::uint64_t> cases[] = {
        {{{a, T1}, {a, T1}}, 1},
        // The log shown again after a cleared screen: every attempt once.
        {{{a, T1}, {b, T1}, {a, T2}, {a, T1}, {b, T1}, {a, T2}}, 3},
        // Another time, protocol or port, or no time to tell: another attempt.
        {{{a, T1}, {a, T2}, {{1, "TCP", "137"}, T1}, {{1, "UDP", "138"}, T1}}, 4},
        {{{a, std::nullopt}, {a, std::nullopt}}, 2},
        {{{a, kYearEnd}, {a, kYearStart}, {b, kYearStart}, {b, kYearEnd}}, 2},
    };
    for (const auto& [added, attempts] : cases) {
        IntruderTable table;
        for (const auto& [report, seen] : added) table.Add(report, seen);
        EXPECT_EQ(AllAttempts(table), attempts) << added.size() << " added";
    }
}

TEST(IntruderTable, ARepeatCountsOnceWhileRemembered) {
    // A second apart from a thousand addresses, twice as many as remembered,
    // then the newest remembered ones again, twice.
    IntruderTable table;
    const auto add = [&table](std::size_t i) {
        const int s = static_cast<int>(i);
        table.Add({static_cast<std::uint32_t>(i % 1000), "TCP", std::to_string(i % 7)},
                  LocalStamp{2001, 3, 5 + s / 86400, s / 3600 % 24, s / 60 % 60, s % 60});
    };
    const std::size_t count = 2 * kRememberedAttempts;
    for (std::size_t i = 0; i < count; ++i) add(i);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = count - kRememberedAttempts + 1; i < count; ++i) add(i);
    }
    EXPECT_EQ(AllAttempts(table), count);
}

TEST(IntruderTable, TheAddressSeenLeastRecentlyMakesRoom) {
    IntruderTable table;
    for (std::uint32_t address = 1; address <= kMaxIntruderAddresses; ++address) table.Add({address, "", ""}, std::nullopt);
    table.Add({1, "", ""}, std::nullopt);
    EXPECT_EQ(table.DroppedAddressCount(), 0u);
    table.Add({0xFFFFFFFF, "", ""}, std::nullopt);
    EXPECT_EQ(table.AddressCount(), kMaxIntruderAddresses);
    EXPECT_EQ(table.DroppedAddressCount(), 1u);
    const auto rows = table.SortedRows(IntruderColumn::Address, false);
    EXPECT_EQ(rows[0].address, 1u);
    EXPECT_EQ(rows[1].address, 3u);  // 2 went
    EXPECT_EQ(rows.back().address, 0xFFFFFFFFu);
}
