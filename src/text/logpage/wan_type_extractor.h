#pragma once
#include <string>
#include <string_view>

// The WAN type the log page reports, or "*** Parser error" without one.
std::string ExtractWanType(std::string_view page);
