#include "logpage/substring_filter.h"

#include <cstring>

namespace {
constexpr std::size_t kWindowSize = 8;
constexpr unsigned kBitCountLog2 = 18;  // 32 KB: few false hits for a full log screen
constexpr std::size_t kWordBits = 64;
}  // namespace

SubstringFilter::SubstringFilter(std::string_view text) : text_(text) {
    if (text.size() < kWindowSize) return;
    bits_.assign((std::size_t{1} << kBitCountLog2) / kWordBits, 0);
    for (std::size_t i = 0; i + kWindowSize <= text.size(); ++i) {
        const auto bit = BitOf(text.data() + i);
        bits_[bit / kWordBits] |= std::uint64_t{1} << (bit % kWordBits);
    }
}

bool SubstringFilter::Contains(std::string_view needle) const {
    if (!MayContain(needle)) return false;
    return text_.find(needle) != std::string_view::npos;
}

bool SubstringFilter::MayContain(std::string_view needle) const {
    if (needle.size() < kWindowSize || bits_.empty()) return true;
    for (std::size_t i = 0; i + kWindowSize <= needle.size(); ++i) {
        const auto bit = BitOf(needle.data() + i);
        if ((bits_[bit / kWordBits] & (std::uint64_t{1} << (bit % kWordBits))) == 0) return false;
    }
    return true;
}

std::size_t SubstringFilter::BitOf(const char* window) {
    std::uint64_t value;
    std::memcpy(&value, window, kWindowSize);
    return static_cast<std::size_t>((value * 0x9E3779B97F4A7C15ull) >> (64 - kBitCountLog2));
}
