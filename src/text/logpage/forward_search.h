#pragma once
#include <cstddef>
#include <string_view>

// Finds the first occurrence of a needle at or after a position, reusing the
// last result while it still answers the question. A scan whose positions
// only move forward thus reads the text once per needle, not once per step.
class ForwardSearch {
public:
    ForwardSearch(std::string_view text, std::string_view needle);

    // Index of the first occurrence at or after `from`, or npos.
    std::size_t From(std::size_t from);

private:
    std::string_view text_;
    std::string_view needle_;
    std::size_t searchedFrom_;
    std::size_t found_ = std::string_view::npos;
};
