// The WAN type read from any page text.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "logpage/wan_type_extractor.h"

namespace {
constexpr std::string_view WanTypeLabel = "WAN Type:";
constexpr std::string_view LineBreakTag = "<BR>";
constexpr std::string_view ParserErrorText = "*** Parser error";
constexpr std::string_view WhiteSpace = " \t\r\n\v\f";

bool IsWhiteSpace(char c) { return WhiteSpace.find(c) != std::string_view::npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page = FuzzInput(data, size).Rest();
    const std::string wanType = ExtractWanType(page);

    const auto label = page.find(WanTypeLabel);
    if (label == std::string_view::npos) {
        FuzzCheck(wanType == ParserErrorText, "no label, parser error");
        return 0;
    }
    // The value lies between the label and the next "<BR>", trimmed.
    const auto valueStart = label + WanTypeLabel.size();
    const auto lineBreak = page.find(LineBreakTag, valueStart);
    if (lineBreak == std::string_view::npos) {
        FuzzCheck(wanType.empty(), "no line break after the label, empty value");
        return 0;
    }
    const auto value = page.substr(valueStart, lineBreak - valueStart);
    FuzzCheck(wanType.size() <= value.size(), "value no longer than its span");
    FuzzCheck(value.find(wanType) != std::string_view::npos, "value taken from its span");
    if (!wanType.empty()) {
        FuzzCheck(!IsWhiteSpace(wanType.front()) && !IsWhiteSpace(wanType.back()), "value trimmed");
    } else {
        FuzzCheck(value.find_first_not_of(WhiteSpace) == std::string_view::npos, "only blanks trim to nothing");
    }
    return 0;
}
