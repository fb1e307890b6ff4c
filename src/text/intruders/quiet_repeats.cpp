#include "intruders/quiet_repeats.h"

#include <algorithm>
#include <vector>

#include "text_trim.h"

namespace {
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::string_view kDigits = "0123456789";
}

std::uint32_t QuietRepeatMinutesFromStored(std::uint32_t stored) {
    return std::min(stored, kMaxQuietRepeatMinutes);
}

std::optional<std::uint32_t> QuietRepeatMinutesFromText(std::string_view text) {
    text = TrimWhiteSpace(text);
    if (text.empty() || text.find_first_not_of(kDigits) != std::string_view::npos) return std::nullopt;
    // Leading zeros count for nothing; past the largest the digits no longer matter.
    std::uint32_t minutes = 0;
    for (const char digit : text) {
        minutes = std::min(minutes * 10 + static_cast<std::uint32_t>(digit - '0'), kMaxQuietRepeatMinutes);
    }
    return std::max(minutes, kMinQuietRepeatMinutes);
}

bool QuietRepeats::Alerts(std::span<const std::uint32_t> addresses, std::int64_t now, std::uint32_t minutes) {
    if (addresses.empty()) return false;
    if (minutes == kQuietRepeatOff) {
        alertTimes_.clear();
        return true;
    }
    const std::int64_t quietSeconds = static_cast<std::int64_t>(minutes) * kSecondsPerMinute;
    Forget(now, quietSeconds);
    // Forget leaves only times within the quiet period.
    const bool anyNew = std::any_of(addresses.begin(), addresses.end(),
                                    [this](std::uint32_t address) { return !alertTimes_.contains(address); });
    if (!anyNew) return false;
    for (const auto address : addresses) alertTimes_[address] = now;
    if (alertTimes_.size() > kMaxRemembered) {
        std::vector<std::int64_t> times;
        times.reserve(alertTimes_.size());
        for (const auto& entry : alertTimes_) times.push_back(entry.second);
        const auto keepFrom = times.end() - static_cast<std::ptrdiff_t>(kMaxRemembered);
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
