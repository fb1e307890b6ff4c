#pragma once
#include <cstddef>
#include <optional>
#include <string>

// A double-clicked word of the log screen up to its first colon (an
// address's port goes), when that is a dotted IPv4 address; anything else
// gives nothing, since the argument box's text may reach a command interpreter.
std::optional<std::string> AddressFromSelection(const std::string& selection);
// The double-clicked word of the screen's text, as an address for the argument box.
std::optional<std::string> AddressFromScreenSelection(const std::string& screen, std::size_t selectionStart,
                                                      std::size_t selectionEnd);
