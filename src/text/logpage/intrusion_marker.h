#pragma once
#include <string_view>

// The text by which the router reports an intrusion attempt.
inline constexpr std::string_view kIntrusionMarker = "Unrecognized access";

inline bool ContainsIntrusionMarker(std::string_view text) {
    return text.find(kIntrusionMarker) != std::string_view::npos;
}
