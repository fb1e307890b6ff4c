#pragma once
#include <optional>
#include <string>
#include <string_view>

// The address of the first intrusion report in a text, as it stands there,
// and the text from the "to" that follows it ("to UDP port 137 ...").
struct IntruderAddressPlace {
    std::string_view address;
    std::string_view rest;
};
std::optional<IntruderAddressPlace> FindIntruderAddress(std::string_view text);

// The address after "from" in the first intrusion report of the text,
// without its port; nothing when the text holds no such address or what
// stands there is not a dotted IPv4 address.
std::optional<std::string> ExtractIntruderAddress(std::string_view text);
