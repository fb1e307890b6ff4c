#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// Answers many "does the text contain this?" questions about one text. A
// bit set of the text's 8-character windows rules out most absent needles
// after a few look-ups; the others get a plain search, so answers are exact.
class SubstringFilter {
public:
    explicit SubstringFilter(std::string_view text);

    bool Contains(std::string_view needle) const;

private:
    bool MayContain(std::string_view needle) const;
    static std::size_t BitOf(const char* window);

    std::string_view text_;
    std::vector<std::uint64_t> bits_;
};
