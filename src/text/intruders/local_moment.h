#pragma once
#include <cstdint>
#include <optional>

#include "intruders/local_stamp.h"

// One instant, read by both clocks. `universal` counts seconds since
// 1970-01-01 00:00 UTC; `local` counts the local wall clock the same way, as
// if it were UTC, so local - universal is the zone's offset at that instant
// (3600 in Paris in winter) and local / 86400 is the local calendar day.
struct LocalMoment {
    std::int64_t universal = 0;
    std::int64_t local = 0;

    // Days since 1970-01-01 on the local calendar (see calendar_day.h).
    std::int64_t Day() const;
    bool operator==(const LocalMoment&) const = default;
};

// Turns attempt times into moments through the platform's local time
// (ToLocalTime in broken_down_time.h: the process's time zone, 1970 to 2038).
// Keep one for many conversions: it remembers a stretch of time where the
// zone's offset holds, so that reading router.log in order costs a few
// platform calls per three hours of log, not several per line.
class LocalMomentConverter {
public:
    // A time read from a poll. Nothing outside the platform's range.
    std::optional<LocalMoment> FromUniversal(std::int64_t universal);

    // A time read back from router.log, which holds local wall-clock times.
    // Nothing for a date that does not exist or lies outside the range.
    // A wall-clock time that the clock passes twice (when summer time ends)
    // is the earlier instant; one that it skips (when summer time starts) is
    // read with the offset in force before the change (02:30 where the clock
    // jumps from 02:00 to 03:00 is the instant the clock shows as 03:30).
    // The moment's `local` is the stamp's own wall-clock time in both cases.
    std::optional<LocalMoment> FromStamp(const LocalStamp& stamp);

private:
    std::optional<std::int64_t> OffsetAt(std::int64_t universal);
    // The offset at `universal` when the remembered stretch holds it at
    // least `margin` seconds either side.
    std::optional<std::int64_t> RememberedOffset(std::int64_t universal, std::int64_t margin) const;
    std::optional<std::int64_t> Remember(std::int64_t universal);
    std::optional<std::int64_t> ExactUniversal(std::int64_t local);

    // A stretch [from, to] with the same offset at both ends and in the middle.
    std::int64_t from_ = 0, to_ = -1, offset_ = 0;
};
