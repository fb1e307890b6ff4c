#include "logproc/broken_down_time.h"

std::optional<std::tm> ToLocalTime(std::int32_t time) {
    if (time < 0) return std::nullopt;
    const std::time_t seconds = time;
    std::tm result{};
    if (localtime_r(&seconds, &result) == nullptr) return std::nullopt;
    return result;
}

std::optional<std::tm> ToUniversalTime(std::int32_t time) {
    if (time < 0) return std::nullopt;
    const std::time_t seconds = time;
    std::tm result{};
    if (gmtime_r(&seconds, &result) == nullptr) return std::nullopt;
    return result;
}
