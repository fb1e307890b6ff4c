#include "router/response_length.h"

#include <cctype>
#include <limits>

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLengthName = "content-length:";

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lowerPrefix[i]) return false;
    }
    return true;
}

// Optional blanks, then decimal digits up to the end of the line.
std::optional<std::size_t> ParseLength(std::string_view value) {
    std::size_t i = value.find_first_not_of(" \t");
    if (i == std::string_view::npos) return std::nullopt;
    std::size_t length = 0;
    std::size_t digits = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i, ++digits) {
        std::size_t digit = static_cast<std::size_t>(value[i] - '0');
        if (length > (std::numeric_limits<std::size_t>::max() - digit) / 10) return std::nullopt;
        length = length * 10 + digit;
    }
    if (digits == 0 || value.find_first_not_of(" \t", i) != std::string_view::npos) return std::nullopt;
    return length;
}

}  // namespace

std::optional<std::size_t> ExpectedResponseSize(std::string_view received) {
    std::size_t headerEnd = received.find(kHeaderEnd);
    if (headerEnd == std::string_view::npos) return std::nullopt;
    std::size_t bodyStart = headerEnd + kHeaderEnd.size();
    // Header lines follow the status line; each begins after a "\r\n".
    for (std::size_t lineStart = received.find("\r\n"); lineStart < headerEnd;) {
        lineStart += 2;
        std::size_t lineEnd = received.find("\r\n", lineStart);
        std::string_view line = received.substr(lineStart, lineEnd - lineStart);
        if (StartsWithIgnoringCase(line, kContentLengthName)) {
            std::optional<std::size_t> length = ParseLength(line.substr(kContentLengthName.size()));
            if (!length || *length > std::numeric_limits<std::size_t>::max() - bodyStart) return std::nullopt;
            return bodyStart + *length;
        }
        lineStart = lineEnd;
    }
    return std::nullopt;
}
