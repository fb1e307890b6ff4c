#include "logpage/forward_search.h"

ForwardSearch::ForwardSearch(std::string_view text, std::string_view needle)
    : text_(text), needle_(needle), searchedFrom_(std::string_view::npos) {}

std::size_t ForwardSearch::From(std::size_t from) {
    // The last result holds for any start between the last search and the hit.
    const bool cached = searchedFrom_ != std::string_view::npos && from >= searchedFrom_ &&
                        (found_ == std::string_view::npos || from <= found_);
    if (!cached) {
        searchedFrom_ = from;
        found_ = text_.find(needle_, from);
    }
    return found_;
}
