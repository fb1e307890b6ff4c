#pragma once
#include <cstdint>
#include <string_view>

// The remembered time after the reset rule: forgotten (0) when the screen
// shows no log lines and the user does not ask to remember it.
std::int32_t ApplyLastDateReset(std::string_view screenText, bool rememberDate, std::int32_t lastDate);
