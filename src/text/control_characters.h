#pragma once
#include <string>

// Anyone on the LAN can shape the router's log text: a control character
// (CR and LF among them) would let it start lines of its own.
void BlankControlCharacters(std::string& text);
