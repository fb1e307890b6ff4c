#include "intruders/local_moment.h"

#include <limits>

#include "logpage/broken_down_time.h"
#include "logpage/calendar_day.h"

namespace {
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kFirstTmYear = 1900;
// A remembered stretch reaches this far either side of the instant that
// made it; no zone changes its offset and back within it.
constexpr std::int64_t kStretchHalf = 6 * kSecondsPerHour;
// No zone's offset changes by more than this at once, so a local time read
// with one offset cannot also be read with another beyond this distance.
constexpr std::int64_t kLargestOffsetChange = 3 * kSecondsPerHour;
// Offsets lie within -12 h and +14 h: the instant of a local time lies
// within these bounds of it, and the offsets just before and after them
// are the ones that can apply.
constexpr std::int64_t kEarliestInstantBefore = 14 * kSecondsPerHour + kLargestOffsetChange;
constexpr std::int64_t kLatestInstantAfter = 12 * kSecondsPerHour + kLargestOffsetChange;

std::int64_t LocalSeconds(const CalendarDate& date, int hour, int minute, int second) {
    return DayNumber(date) * kSecondsPerDay + hour * kSecondsPerHour + minute * kSecondsPerMinute + second;
}

bool InPlatformRange(std::int64_t universal) {
    return universal >= 0 && universal <= std::numeric_limits<std::int32_t>::max();
}
}  // namespace

std::int64_t LocalMoment::Day() const {
    return FloorDivide(local, kSecondsPerDay);
}

std::optional<std::int64_t> LocalMomentConverter::OffsetAt(std::int64_t universal) {
    if (!InPlatformRange(universal)) return std::nullopt;
    const auto time = ToLocalTime(static_cast<std::int32_t>(universal));
    if (!time) return std::nullopt;
    const CalendarDate date{time->tm_year + kFirstTmYear, time->tm_mon + 1, time->tm_mday};
    return LocalSeconds(date, time->tm_hour, time->tm_min, time->tm_sec) - universal;
}

std::optional<std::int64_t> LocalMomentConverter::RememberedOffset(std::int64_t universal,
                                                                   std::int64_t margin) const {
    if (universal - margin < from_ || universal + margin > to_) return std::nullopt;
    return offset_;
}

// Asks the platform, and remembers the stretch around the instant when the
// offset is the same at its ends.
std::optional<std::int64_t> LocalMomentConverter::Remember(std::int64_t universal) {
    const auto offset = OffsetAt(universal);
    if (!offset) return std::nullopt;
    if (OffsetAt(universal - kStretchHalf) == offset && OffsetAt(universal + kStretchHalf) == offset) {
        from_ = universal - kStretchHalf;
        to_ = universal + kStretchHalf;
        offset_ = *offset;
    }
    return offset;
}

std::optional<LocalMoment> LocalMomentConverter::FromUniversal(std::int64_t universal) {
    auto offset = RememberedOffset(universal, 0);
    if (!offset) offset = Remember(universal);
    if (!offset) return std::nullopt;
    return LocalMoment{universal, universal + *offset};
}

// The offsets in force before and after the local time; the first that
// reads back as itself wins, which is the earlier instant of a time the
// clock passes twice.
std::optional<std::int64_t> LocalMomentConverter::ExactUniversal(std::int64_t local) {
    const auto before = OffsetAt(local - kEarliestInstantBefore);
    const auto after = OffsetAt(local + kLatestInstantAfter);
    for (const auto& offset : {before, after}) {
        if (offset && OffsetAt(local - *offset) == offset) return local - *offset;
    }
    if (before && InPlatformRange(local - *before)) return local - *before;
    return std::nullopt;
}

std::optional<LocalMoment> LocalMomentConverter::FromStamp(const LocalStamp& stamp) {
    const CalendarDate date{stamp.year, stamp.month, stamp.day};
    if (!IsCalendarDate(date)) return std::nullopt;
    const std::int64_t local = LocalSeconds(date, stamp.hour, stamp.minute, stamp.second);
    // Within the remembered stretch, and far enough from its ends that no
    // other offset could read the same wall-clock time.
    if (const auto offset = RememberedOffset(local - offset_, kLargestOffsetChange)) {
        return LocalMoment{local - *offset, local};
    }
    auto universal = ExactUniversal(local);
    if (!universal) return std::nullopt;
    Remember(*universal);
    return LocalMoment{*universal, local};
}
