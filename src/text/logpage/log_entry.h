#pragma once
#include <cstdint>
#include <string>

// One call of the router's log page, in page order.
struct LogEntry {
    enum class Kind { Timed, Untimed };

    Kind kind = Kind::Untimed;
    std::int32_t ageMs = 0;  // Timed: milliseconds before the reference time
    std::int32_t time = 0;   // Timed: seconds since 1970-01-01 UTC
    std::string message;     // Timed
    std::string text;        // Untimed: the line as the router gives it
};
