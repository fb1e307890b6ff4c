#pragma once
#include <cstdint>
#include <ctime>
#include <optional>

// The platform's conversions of seconds since 1970-01-01 UTC. Times before
// 1970 give nothing on every platform, as one of them cannot convert them.
std::optional<std::tm> ToLocalTime(std::int32_t time);
std::optional<std::tm> ToUniversalTime(std::int32_t time);
