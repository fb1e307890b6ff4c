#pragma once
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "intruders/attempt_history.h"
#include "intruders/ignore_list.h"
#include "intruders/intrusion_report.h"
#include "intruders/local_moment.h"
#include "intruders/local_stamp.h"
#include "intruders/recent_attempts.h"

// The window's columns, in its order.
enum class IntruderColumn {
    Address, Attempts, FirstSeen, LastSeen, Protocol, Port, LastDay, LastWeek, LastMonth, Ignored
};

struct IntruderRow {
    std::uint32_t address = 0;
    std::uint64_t attempts = 0;
    std::optional<LocalStamp> firstSeen, lastSeen;  // of the first and last attempt with a known time
    std::string protocol, port;                     // of the last attempt added
    bool operator==(const IntruderRow&) const = default;
};

// A row as the window shows it at a given moment: its attempts of the last
// 24 hours, 7 and 30 days then, and whether the address is left alone.
struct IntruderView : IntruderRow {
    AttemptCounts recent;
    bool ignored = false;
    bool operator==(const IntruderView&) const = default;
};

// Anyone can knock from ever new addresses: past this many, the address seen
// least recently makes room.
inline constexpr std::size_t kMaxIntruderAddresses = 100000;

// The intruder addresses seen, one row each, with when their attempts came
// (AttemptHistory): memory follows the number of addresses (at most
// MaxIntruderAddresses), not of attempts.
class IntruderTable {
public:
    // Attempts are added in the order they happened. An attempt added again
    // (the same time, address, protocol and port, see RecentAttempts) counts
    // once; without a time each counts, but not in the recent counts.
    void Add(const IntrusionReport& report, std::optional<LocalStamp> seen);
    std::size_t AddressCount() const;
    // The addresses whose rows made room for newer ones.
    std::uint64_t DroppedAddressCount() const;
    // The attempts counted on the local day of `day` (its time is not looked at).
    std::uint64_t AttemptsOnDay(const LocalStamp& day) const;
    // Ties go by address, ascending. Addresses sort by value, ports by
    // number, stamps by time with unknown ones first, ignored rows after
    // the others. The recent counts are those at `now`.
    std::vector<IntruderView> SortedRows(IntruderColumn column, bool descending, const LocalMoment& now = {},
                                         const IgnoreList& ignored = {}) const;
    // Attempts per local day of the 30 up to `now`: of one address, or of all.
    DayCounts AttemptsPerDay(const LocalMoment& now, std::optional<std::uint32_t> address = std::nullopt) const;
    // The bytes the histories take, the table's own part of each included.
    std::size_t HistoryBytes() const;

private:
    struct Entry {
        IntruderRow row;
        AttemptHistory history;
        std::list<std::uint32_t>::iterator recency;
    };

    std::unordered_map<std::uint32_t, Entry> rows_;
    std::list<std::uint32_t> recency_;  // addresses, the most recently seen first
    RecentAttempts recentAttempts_;
    LocalMomentConverter clock_;
    std::uint64_t droppedAddresses_ = 0;
    // Attempts with a known time, by local day (year * 10000 + month * 100 + day).
    std::unordered_map<int, std::uint64_t> attemptsPerDay_;
};

// The view the window opens with: most attempts first.
inline constexpr IntruderColumn kDefaultIntruderColumn = IntruderColumn::Attempts;
inline constexpr bool kDefaultIntruderDescending = true;
