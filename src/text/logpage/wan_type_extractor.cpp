#include "logpage/wan_type_extractor.h"

#include "text_trim.h"

namespace {
constexpr std::string_view kWanTypeLabel = "WAN Type:";
constexpr std::string_view kLineBreakTag = "<BR>";
constexpr std::string_view kParserErrorText = "*** Parser error";
}

std::string ExtractWanType(std::string_view page) {
    const auto label = page.find(kWanTypeLabel);
    if (label == std::string_view::npos) return std::string(kParserErrorText);
    const auto start = label + kWanTypeLabel.size();
    const auto end = page.find(kLineBreakTag, start);
    if (end == std::string_view::npos) return {};
    return std::string(TrimWhiteSpace(page.substr(start, end - start)));
}
