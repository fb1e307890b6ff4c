#include "intruders/quiet_repeats.h"

#include <algorithm>
#include <vector>

namespace {
constexpr std::int64_t SecondsPerMinute = 60;
}

std::uint32_t QuietRepeatMinutesFromStored(std::uint32_t stored) {
    return std::min(stored, MaxQuietRepeatMinutes);
}

bool QuietRepeats::Alerts(std::span<const std::uint32_t> addresses, std::int64_t now, std::uint32_t minutes) {
    if (addresses.empty()) return false;
    if (minutes == QuietRepeatOff) {
        alertTimes_.clear();
        return true;
    }
    const std::int64_t quietSeconds = static_cast<std::int64_t>(minutes) * SecondsPerMinute;
    Forget(now, quietSeconds);
    // Forget leaves only times within the quiet period.
    const bool anyNew = std::any_of(addresses.begin(), addresses.end(),
                                    [this](std::uint32_t address) { return !alertTimes_.contains(address); });
    if (!anyNew) return false;
    for (const auto address : addresses) alertTimes_[address] = now;
    if (alertTimes_.size() > MaxRemembered) {
        std::vector<std::int64_t> times;
        times.reserve(alertTimes_.size());
        for (const auto& entry : alertTimes_) times.push_back(entry.second);
        const auto keepFrom = times.end() - static_cast<std::ptrdiff_t>(MaxRemembered);
        std::nth_element(times.begin(), keepFrom, times.end());
        const std::int64_t oldestKept = *keepFrom;
        std::erase_if(alertTimes_, [oldestKept](const auto& entry) { return entry.second < oldestKept; });
    }
    return true;
}

// A time in the future (the clock was set back) quiets nothing either.
void QuietRepeats::Forget(std::int64_t now, std::int64_t quietSeconds) {
    std::erase_if(alertTimes_, [&](const auto& entry) {
        return now - entry.second >= quietSeconds || entry.second > now;
    });
}
