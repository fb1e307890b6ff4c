#include "text_trim.h"

namespace {
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
}

std::string_view TrimWhiteSpace(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}
