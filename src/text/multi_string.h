#pragma once
#include <string>
#include <string_view>
#include <vector>

// The bytes of a REG_MULTI_SZ value in the ANSI code page: each entry
// followed by a zero byte, then one more zero byte ("a\0b\0\0").

// Reads what a hand-edited or damaged value may hold too: the final zero
// bytes missing, empty entries anywhere (skipped, and reading goes on past
// them).
std::vector<std::string> SplitMultiString(std::string_view bytes);

// Empty entries are left out, as one would end the list early; an entry
// with a zero byte in it would read back as two, so it is left out too.
// No entries give the single zero byte "\0".
std::string JoinMultiString(const std::vector<std::string>& entries);
