#include "intruders/attempt_history.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "logpage/calendar_day.h"

namespace {
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kHoursPerDay = 24;
constexpr std::int64_t kSecondsPerQuarter = 900;
constexpr int kKeyShift = 8;
constexpr std::uint32_t kCodeMask = 0xFF;
constexpr std::uint32_t kWholeDay = 0;
constexpr std::int64_t kOffsetBias = 128;
constexpr std::int64_t kHourLimit = std::int64_t{1} << (32 - kKeyShift);
// Hours kept whole: 24 for the window, one for the hour it starts in, and
// room for the hour a clock change puts between local and absolute time.
constexpr std::int64_t kHourlyHours = 28;
// Days kept: the chart's 30 and the one before, for a `now` a little later
// than the newest attempt.
constexpr std::int64_t kKeptDays = kChartDays + 1;
constexpr std::int64_t kWeekDays = 7;
constexpr std::int64_t kDayWindowSeconds = kHoursPerDay * kSecondsPerHour;

bool IsWholeDay(std::uint32_t key) { return (key & kCodeMask) == kWholeDay; }
std::int64_t HourOf(std::uint32_t hourKey) { return hourKey >> kKeyShift; }
std::int64_t DayOf(std::uint32_t key) { return IsWholeDay(key) ? key >> kKeyShift : HourOf(key) / kHoursPerDay; }
std::uint32_t DayKey(std::int64_t day) { return static_cast<std::uint32_t>(day) << kKeyShift; }

// When an hour bucket's hour began, in absolute time.
std::int64_t HourStart(std::uint32_t key) {
    const auto offset = (static_cast<std::int64_t>(key & kCodeMask) - kOffsetBias) * kSecondsPerQuarter;
    return HourOf(key) * kSecondsPerHour - offset;
}

void AddSaturating(std::uint32_t& count, std::uint32_t more) {
    count = count > std::numeric_limits<std::uint32_t>::max() - more ? std::numeric_limits<std::uint32_t>::max()
                                                                     : count + more;
}
}  // namespace

void AttemptHistory::Add(const LocalMoment& when) {
    const std::int64_t hour = FloorDivide(when.local, kSecondsPerHour);
    if (hour < 0 || hour >= kHourLimit) return;
    // Offsets that are no whole quarter hour (before 1980 in a few zones) are rounded.
    const auto quarters = std::clamp<std::int64_t>(
        FloorDivide(when.local - when.universal + kSecondsPerQuarter / 2, kSecondsPerQuarter), 1 - kOffsetBias,
        kOffsetBias - 1);
    const auto key = static_cast<std::uint32_t>(hour << kKeyShift | (quarters + kOffsetBias));
    if (buckets_.empty() || HourOf(buckets_.back().key) < hour) {
        buckets_.push_back({key, 1});
        Compact(hour);
        return;
    }
    const std::int64_t newestHour = HourOf(buckets_.back().key);
    if (hour >= newestHour - kHourlyHours) {
        Count(key);
    } else if (DayOf(key) >= newestHour / kHoursPerDay - kKeptDays) {
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
    const std::int64_t oldestHour = newestHour - kHourlyHours;
    const std::int64_t oldestDay = newestHour / kHoursPerDay - kKeptDays;
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
        if (age >= 0 && age < kWeekDays) counts.lastWeek += bucket.count;
        if (age >= 0 && age < static_cast<std::int64_t>(kChartDays)) counts.lastMonth += bucket.count;
        if (IsWholeDay(bucket.key)) continue;
        const std::int64_t start = HourStart(bucket.key);
        if (start <= now.universal && start + kSecondsPerHour > now.universal - kDayWindowSeconds) {
            counts.lastDay += bucket.count;
        }
    }
    return counts;
}

void AttemptHistory::AddDayCounts(DayCounts& sums, const LocalMoment& now) const {
    const std::int64_t today = now.Day();
    for (const Bucket& bucket : buckets_) {
        const std::int64_t age = today - DayOf(bucket.key);
        if (age >= 0 && age < static_cast<std::int64_t>(kChartDays)) sums[kChartDays - 1 - age] += bucket.count;
    }
}
