#pragma once
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Puts the process in a POSIX-style time zone for one test, and back after.
class TimeZoneGuard {
public:
    explicit TimeZoneGuard(const char* zone) {
        if (const char* current = std::getenv("TZ")) previous_ = current;
        Apply(zone);
    }
    ~TimeZoneGuard() { Apply(previous_ ? previous_->c_str() : nullptr); }
    TimeZoneGuard(const TimeZoneGuard&) = delete;
    TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

private:
    static void Apply(const char* zone) {
#ifdef _WIN32
        _putenv_s("TZ", zone ? zone : "");
        _tzset();
#else
        if (zone) setenv("TZ", zone, 1); else unsetenv("TZ");
        tzset();
#endif
    }

    std::optional<std::string> previous_;
};
