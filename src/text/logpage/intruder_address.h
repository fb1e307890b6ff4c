#pragma once
#include <optional>
#include <string>
#include <string_view>

// The address after "from" in the first intrusion report of the text,
// without its port; nothing when the text holds no such address or what
// stands there is not a dotted IPv4 address.
std::optional<std::string> ExtractIntruderAddress(std::string_view text);
