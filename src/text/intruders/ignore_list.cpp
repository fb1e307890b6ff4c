#include "intruders/ignore_list.h"

#include <algorithm>

IgnoreList::IgnoreList(const std::vector<std::string>& entries) {
    for (const auto& entry : entries) Add(entry);
}

bool IgnoreList::Add(std::string_view entry) {
    const auto block = ParseAddressBlock(entry);
    if (!block) return false;
    if (std::find(blocks_.begin(), blocks_.end(), *block) == blocks_.end()) blocks_.push_back(*block);
    return true;
}

bool IgnoreList::Remove(std::string_view entry) {
    const auto block = ParseAddressBlock(entry);
    const auto found = block ? std::find(blocks_.begin(), blocks_.end(), *block) : blocks_.end();
    if (found == blocks_.end()) return false;
    blocks_.erase(found);
    return true;
}

bool IgnoreList::Ignores(std::uint32_t address) const {
    return std::any_of(blocks_.begin(), blocks_.end(),
                       [address](const AddressBlock& block) { return block.Contains(address); });
}

std::vector<std::string> IgnoreList::Covering(std::uint32_t address) const {
    std::vector<std::string> entries;
    for (const auto& block : blocks_) {
        if (block.Contains(address)) entries.push_back(AddressBlockText(block));
    }
    return entries;
}

std::vector<std::string> IgnoreList::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(blocks_.size());
    for (const auto& block : blocks_) entries.push_back(AddressBlockText(block));
    return entries;
}
