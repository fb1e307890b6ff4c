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
