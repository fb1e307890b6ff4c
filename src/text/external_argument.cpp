#include "external_argument.h"

#include <string_view>

namespace {
constexpr std::string_view kInterpreterCharacters = "&|<>^%!\"";
constexpr char kReplacement = '_';
constexpr char kDelete = 0x7F;

// The router's text can be chosen by anyone on the LAN, and the program may be a .bat.
bool IsUnsafe(char c) {
    if (c == '\r' || c == '\n') return false;
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || c == kDelete || kInterpreterCharacters.find(c) != std::string_view::npos;
}
}  // namespace

std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph) {
    const std::size_t at = argumentTemplate.find("%%");
    if (at == std::string::npos) return argumentTemplate;
    std::string argument = argumentTemplate;
    std::string lines = lastParagraph;
    for (char& c : lines) {
        if (IsUnsafe(c)) c = kReplacement;
    }
    argument.replace(at, 2, lines);
    return argument;
}
