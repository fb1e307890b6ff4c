#pragma once
#include <string>
#include <string_view>

// The program keeps paths in UTF-8 and hands them to the wide-character
// calls, so a folder named in any script works whatever the system's ANSI
// code page. Texts of the controls and the router stay in that code page.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
std::string Utf8FromAnsi(std::string_view text);
