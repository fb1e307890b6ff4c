#include "logpage/broken_down_time.h"

namespace {

std::optional<std::tm> BrokenDown(std::int32_t time, bool local) {
    if (time < 0) return std::nullopt;
    const std::time_t seconds = time;
    std::tm result{};
    const bool converted = local ? localtime_s(&result, &seconds) == 0 : gmtime_s(&result, &seconds) == 0;
    if (!converted) return std::nullopt;
    return result;
}

}  // namespace

std::optional<std::tm> ToLocalTime(std::int32_t time) { return BrokenDown(time, true); }

std::optional<std::tm> ToUniversalTime(std::int32_t time) { return BrokenDown(time, false); }
