#include "router/ipv4_text.h"

std::string FormatIpv4(const std::uint8_t (&bytes)[4]) {
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
           std::to_string(bytes[3]);
}

bool IsDottedIpv4(std::string_view text) {
    constexpr int kParts = 4;
    constexpr std::size_t kMaxDigits = 3;
    constexpr int kMaxPart = 255;
    int parts = 0;
    std::size_t digits = 0;
    int value = 0;
    for (const char c : text) {
        if (c == '.') {
            if (digits == 0 || ++parts == kParts) return false;
            digits = 0;
            value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (++digits > kMaxDigits || value > kMaxPart) return false;
        } else {
            return false;
        }
    }
    return parts == kParts - 1 && digits != 0;
}

std::optional<std::uint32_t> Ipv4Value(std::string_view text) {
    if (!IsDottedIpv4(text)) return std::nullopt;
    std::uint32_t value = 0;
    std::uint32_t part = 0;
    for (const char c : text) {
        if (c == '.') {
            value = value << 8 | part;
            part = 0;
        } else {
            part = part * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    return value << 8 | part;
}
