#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "intruders/address_block.h"

// The Intruders window takes no more entries than this.
inline constexpr std::size_t kMaxIgnoredEntries = 1000;

// The addresses whose attempts raise no alert (they still go to the log and
// the Intruders table). Stored as the registry value "ignoredAddresses", one
// address or block per entry (see multi_string.h for the value's bytes).
//
//   IgnoreList list(SplitMultiString(storedBytes));  // malformed entries skipped
//   if (!list.Add(typedText)) ...say the text is no address or block...
//   if (list.Ignores(report.address)) ...no alert for this attempt...
//   storedBytes = JoinMultiString(list.Entries());
//
// Meant for a few dozen entries: each check goes through all of them.
class IgnoreList {
public:
    IgnoreList() = default;
    // Takes the entries that ParseAddressBlock reads; others are skipped, never fatal.
    explicit IgnoreList(const std::vector<std::string>& entries);

    // False when the text is no address or block. A block already in the
    // list (in any spelling: "10.0.0.1/8" is "10.0.0.0/8") is kept once.
    bool Add(std::string_view entry);
    // Removes the block the text names; false when it is not in the list.
    bool Remove(std::string_view entry);

    bool Ignores(std::uint32_t address) const;
    // The entries that hold the address, as Entries() spells them.
    std::vector<std::string> Covering(std::uint32_t address) const;
    std::size_t Size() const { return blocks_.size(); }
    // The canonical texts (AddressBlockText), in the order they were added.
    std::vector<std::string> Entries() const;

private:
    std::vector<AddressBlock> blocks_;
};
