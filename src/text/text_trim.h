#pragma once
#include <string_view>

// Strips blanks, tabs, CR, LF, VT and FF from both ends.
std::string_view TrimWhiteSpace(std::string_view text);
