#include "logpage/wan_type_extractor.h"

#include "text_trim.h"

namespace {
constexpr std::string_view WanTypeLabel = "WAN Type:";
constexpr std::string_view LineBreakTag = "<BR>";
constexpr std::string_view ParserErrorText = "*** Parser error";
}

std::string ExtractWanType(std::string_view page) {
    const auto label = page.find(WanTypeLabel);
    if (label == std::string_view::npos) return std::string(ParserErrorText);
    const auto start = label + WanTypeLabel.size();
    const auto end = page.find(LineBreakTag, start);
    if (end == std::string_view::npos) return {};
    return std::string(TrimWhiteSpace(page.substr(start, end - start)));
}
