#include "intruders/address_block.h"

#include "intruders/intrusion_report.h"
#include "text_trim.h"

namespace {
constexpr int kAddressBits = 32;
constexpr int kAddressParts = 4;
constexpr std::uint32_t kMaxPart = 255;
constexpr char kPrefixMark = '/';

std::uint32_t PrefixMask(int prefixLength) {
    return prefixLength == 0 ? 0 : ~std::uint32_t{0} << (kAddressBits - prefixLength);
}

// A decimal number of one to `maxDigits` digits without leading zeros, at
// most `limit`; the whole text must be the number.
std::optional<std::uint32_t> PlainNumber(std::string_view text, std::size_t maxDigits, std::uint32_t limit) {
    if (text.empty() || text.size() > maxDigits || (text.size() > 1 && text[0] == '0')) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value <= limit ? std::optional(value) : std::nullopt;
}

std::optional<std::uint32_t> ParseAddress(std::string_view text) {
    std::uint32_t address = 0;
    for (int part = 0; part < kAddressParts; ++part) {
        const bool last = part == kAddressParts - 1;
        const auto end = last ? text.size() : text.find('.');
        if (end == std::string_view::npos) return std::nullopt;
        const auto value = PlainNumber(text.substr(0, end), 3, kMaxPart);
        if (!value) return std::nullopt;
        address = address << 8 | *value;
        text.remove_prefix(last ? end : end + 1);
    }
    return address;
}
}  // namespace

bool AddressBlock::Contains(std::uint32_t address) const {
    return (address & PrefixMask(prefixLength)) == network;
}

std::optional<AddressBlock> ParseAddressBlock(std::string_view text) {
    text = TrimWhiteSpace(text);
    const auto mark = text.find(kPrefixMark);
    const auto address = ParseAddress(text.substr(0, mark));
    if (!address) return std::nullopt;
    AddressBlock block;
    if (mark != std::string_view::npos) {
        const auto prefix = PlainNumber(text.substr(mark + 1), 2, kAddressBits);
        if (!prefix) return std::nullopt;
        block.prefixLength = static_cast<int>(*prefix);
    }
    block.network = *address & PrefixMask(block.prefixLength);
    return block;
}

std::string AddressBlockText(const AddressBlock& block) {
    std::string text = AddressText(block.network);
    if (block.prefixLength != kAddressBits) text.append(1, kPrefixMark).append(std::to_string(block.prefixLength));
    return text;
}
