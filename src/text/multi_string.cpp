#include "multi_string.h"

namespace {
constexpr char kTerminator = '\0';
}

std::vector<std::string> SplitMultiString(std::string_view bytes) {
    std::vector<std::string> entries;
    while (!bytes.empty()) {
        const auto end = bytes.find(kTerminator);
        const auto entry = bytes.substr(0, end);
        if (!entry.empty()) entries.emplace_back(entry);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return entries;
}

std::string JoinMultiString(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const auto& entry : entries) {
        if (entry.empty() || entry.find(kTerminator) != std::string::npos) continue;
        bytes.append(entry).push_back(kTerminator);
    }
    bytes.push_back(kTerminator);
    return bytes;
}
