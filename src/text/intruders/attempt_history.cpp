#include "intruders/attempt_history.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "logpage/calendar_day.h"

namespace {
constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t HoursPerDay = 24;
constexpr std::int64_t SecondsPerQuarter = 900;
constexpr int KeyShift = 8;
constexpr std::uint32_t CodeMask = 0xFF;
constexpr std::uint32_t WholeDay = 0;
constexpr std::int64_t OffsetBias = 128;
constexpr std::int64_t HourLimit = std::int64_t{1} << (32 - KeyShift);
// Hours kept whole: 24 for the window, one for the hour it starts in, and
// room for the hour a clock change puts between local and absolute time.
constexpr std::int64_t HourlyHours = 28;
// Days kept: the chart's 30 and the one before, for a `now` a little later
// than the newest attempt.
constexpr std::int64_t KeptDays = ChartDays + 1;
constexpr std::int64_t WeekDays = 7;
constexpr std::int64_t DayWindowSeconds = HoursPerDay * SecondsPerHour;

bool IsWholeDay(std::uint32_t key) { return (key & CodeMask) == WholeDay; }
std::int64_t HourOf(std::uint32_t hourKey) { return hourKey >> KeyShift; }
std::int64_t DayOf(std::uint32_t key) { return IsWholeDay(key) ? key >> KeyShift : HourOf(key) / HoursPerDay; }
std::uint32_t DayKey(std::int64_t day) { return static_cast<std::uint32_t>(day) << KeyShift; }

// When an hour bucket's hour began, in absolute time.
std::int64_t HourStart(std::uint32_t key) {
    const auto offset = (static_cast<std::int64_t>(key & CodeMask) - OffsetBias) * SecondsPerQuarter;
    return HourOf(key) * SecondsPerHour - offset;
}

void AddSaturating(std::uint32_t& count, std::uint32_t more) {
    count = count > std::numeric_limits<std::uint32_t>::max() - more ? std::numeric_limits<std::uint32_t>::max()
                                                                     : count + more;
}
}  // namespace

void AttemptHistory::Add(const LocalMoment& when) {
    const std::int64_t hour = FloorDivide(when.local, SecondsPerHour);
    if (hour < 0 || hour >= HourLimit) return;
    // Offsets that are no whole quarter hour (before 1980 in a few zones) are rounded.
    const auto quarters = std::clamp<std::int64_t>(
        FloorDivide(when.local - when.universal + SecondsPerQuarter / 2, SecondsPerQuarter), 1 - OffsetBias,
        OffsetBias - 1);
    const auto key = static_cast<std::uint32_t>(hour << KeyShift | (quarters + OffsetBias));
    if (buckets_.empty() || HourOf(buckets_.back().key) < hour) {
        buckets_.push_back({key, 1});
        Compact(hour);
        return;
    }
    const std::int64_t newestHour = HourOf(buckets_.back().key);
    if (hour >= newestHour - HourlyHours) {
        Count(key);
    } else if (DayOf(key) >= newestHour / HoursPerDay - KeptDays) {
        Count(DayKey(DayOf(key)));
    }
}

void AttemptHistory::Count(std::uint32_t key) {
    const auto place = std::lower_bound(buckets_.begin(), buckets_.end(), key,
                                        [](const Bucket& bucket, std::uint32_t k) { return bucket.key < k; });
    if (place != buckets_.end() && place->key == key) {
        AddSaturating(place->count, 1);
    } else {
        buckets_.insert(place, {key, 1});
    }
}

// Folds hours older than the hourly stretch into their days and drops days
// past the kept ones. An hour folds into the newest day bucket or becomes
// the next one, so keys stay ascending, and so do the buckets' days.
void AttemptHistory::Compact(std::int64_t newestHour) {
    const std::int64_t oldestHour = newestHour - HourlyHours;
    const std::int64_t oldestDay = newestHour / HoursPerDay - KeptDays;
    auto hour = std::partition_point(buckets_.begin(), buckets_.end(),
                                     [](const Bucket& bucket) { return IsWholeDay(bucket.key); });
    while (hour != buckets_.end() && HourOf(hour->key) < oldestHour) {
        const std::uint32_t dayKey = DayKey(DayOf(hour->key));
        if (hour != buckets_.begin() && std::prev(hour)->key == dayKey) {
            AddSaturating(std::prev(hour)->count, hour->count);
            hour = buckets_.erase(hour);
        } else {
            hour->key = dayKey;
            ++hour;
        }
    }
    buckets_.erase(buckets_.begin(), std::partition_point(buckets_.begin(), buckets_.end(), [&](const Bucket& bucket) {
                       return DayOf(bucket.key) < oldestDay;
                   }));
}

AttemptCounts AttemptHistory::CountsAt(const LocalMoment& now) const {
    AttemptCounts counts;
    const std::int64_t today = now.Day();
    for (const Bucket& bucket : buckets_) {
        const std::int64_t age = today - DayOf(bucket.key);
        if (age >= 0 && age < WeekDays) counts.lastWeek += bucket.count;
        if (age >= 0 && age < static_cast<std::int64_t>(ChartDays)) counts.lastMonth += bucket.count;
        if (IsWholeDay(bucket.key)) continue;
        const std::int64_t start = HourStart(bucket.key);
        if (start <= now.universal && start + SecondsPerHour > now.universal - DayWindowSeconds) {
            counts.lastDay += bucket.count;
        }
    }
    return counts;
}

void AttemptHistory::AddDayCounts(DayCounts& sums, const LocalMoment& now) const {
    const std::int64_t today = now.Day();
    for (const Bucket& bucket : buckets_) {
        const std::int64_t age = today - DayOf(bucket.key);
        if (age >= 0 && age < static_cast<std::int64_t>(ChartDays)) sums[ChartDays - 1 - age] += bucket.count;
    }
}
