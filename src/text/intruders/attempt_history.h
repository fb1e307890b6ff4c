#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "intruders/local_moment.h"

// The chart's days: today and the 29 before it.
inline constexpr std::size_t kChartDays = 30;
// Attempts per local calendar day: [0] is 29 days before today, [29] today.
using DayCounts = std::array<std::uint64_t, kChartDays>;

// One address's attempts over the last 30 days, as of a given moment.
struct AttemptCounts {
    std::uint64_t lastDay = 0;    // the last 24 hours (counted by hours, see below)
    std::uint64_t lastWeek = 0;   // today and the 6 calendar days before
    std::uint64_t lastMonth = 0;  // today and the 29 days before: the chart's days
    bool operator==(const AttemptCounts&) const = default;
};

// When one address's attempts came, compactly: per local hour for the last
// day or so, per local calendar day before that, nothing older than 30 days
// before its newest attempt.
//
//   LocalMomentConverter clock;                    // one for the whole table
//   if (auto when = clock.FromStamp(stamp)) history.Add(*when);
//   const auto now = clock.FromUniversal(system.CurrentTime());
//   history.CountsAt(*now).lastDay ...
//   DayCounts all{}; for (each address) history.AddDayCounts(all, *now);
//
// Counting: the last 24 hours go by absolute time, so a night with a clock
// change counts 24 real hours; they are kept per hour, so an attempt counts
// when its hour ends after now - 24 h (it may be up to 25 h old) and starts
// no later than now. Weeks and months go by local calendar days, as the
// chart does, so the 30-day count is the sum of the chart's bars. Attempts
// after `now` (a router clock ahead) and counts asked for a moment more than
// a day before the newest attempt are not meant to be right.
//
// Memory: sizeof(AttemptHistory) (24 bytes with common libraries) plus 8 bytes
// for each hour or day with attempts: at most 30 hours and 31 days are kept,
// about 500 bytes even for an address that knocks every hour; an address seen
// a few times costs 24 bytes and 8 per attempt (scripts/bench-intruders.sh).
class AttemptHistory {
public:
    void Add(const LocalMoment& when);
    AttemptCounts CountsAt(const LocalMoment& now) const;
    // Adds this address's attempts per day to `sums`: for one address start
    // from zeros (DayCounts{}), for the chart of all addresses add each.
    void AddDayCounts(DayCounts& sums, const LocalMoment& now) const;
    // Bytes held beyond sizeof(AttemptHistory), allocator overhead aside.
    std::size_t HeapBytes() const { return buckets_.capacity() * sizeof(Bucket); }

private:
    // An hour's key: the local hour since 1970 (24 bits), then the zone's
    // offset in quarter hours + 128 (8 bits, never 0). A whole local day's
    // key: the day since 1970, then 8 zero bits. Days sort before hours.
    struct Bucket {
        std::uint32_t key;
        std::uint32_t count;
    };
    void Count(std::uint32_t key);
    void Compact(std::int64_t newestHour);

    std::vector<Bucket> buckets_;  // ascending by key
};
