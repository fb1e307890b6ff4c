#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "intruders/intrusion_report.h"
#include "intruders/local_stamp.h"

enum class IntruderColumn { Address, Attempts, FirstSeen, LastSeen, Protocol, Port };

struct IntruderRow {
    std::uint32_t address = 0;
    std::uint64_t attempts = 0;
    std::optional<LocalStamp> firstSeen, lastSeen;  // of the first and last attempt with a known time
    std::string protocol, port;                     // of the last attempt added
    bool operator==(const IntruderRow&) const = default;
};

// Every intruder address seen, one row each: memory follows the number of
// addresses, not of attempts.
class IntruderTable {
public:
    // Attempts are added in the order they happened.
    void Add(const IntrusionReport& report, std::optional<LocalStamp> seen);
    std::size_t AddressCount() const;
    // The attempts counted on the local day of `day` (its time is not looked at).
    std::uint64_t AttemptsOnDay(const LocalStamp& day) const;
    // Ties go by address, ascending. Addresses sort by value, ports by
    // number, stamps by time with unknown ones first.
    std::vector<IntruderRow> SortedRows(IntruderColumn column, bool descending) const;

private:
    std::unordered_map<std::uint32_t, IntruderRow> rows_;
    // Attempts with a known time, by local day (year * 10000 + month * 100 + day).
    std::unordered_map<int, std::uint64_t> attemptsPerDay_;
};

// The view the window opens with: most attempts first.
inline constexpr IntruderColumn DefaultIntruderColumn = IntruderColumn::Attempts;
inline constexpr bool DefaultIntruderDescending = true;
