#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A block of IPv4 addresses: "203.0.113.0/24", or one address (a /32).
// Addresses are numbers with the first part highest, as
// IntrusionReport::address holds them (203.0.113.7 is 0xCB007107).
struct AddressBlock {
    std::uint32_t network = 0;  // the block's first address; its host bits are zero
    int prefixLength = 32;      // 0 (every address) to 32 (one address)

    bool Contains(std::uint32_t address) const;
    bool operator==(const AddressBlock&) const = default;
};

// Reads "a.b.c.d" (a /32) or "a.b.c.d/n" with n from 0 to 32. White space around
// the text are allowed, nothing else: no blanks inside, no part above 255,
// no leading zeros ("010.0.0.1", "/08": octal to some readers, so refused),
// no empty parts. Host bits set in the address are cleared, so
// "203.0.113.7/24" is the block 203.0.113.0/24.
std::optional<AddressBlock> ParseAddressBlock(std::string_view text);

// "203.0.113.0/24"; a single address without "/32": "203.0.113.7".
std::string AddressBlockText(const AddressBlock& block);
