#include "sim_options.h"

#include <charconv>
#include <string_view>

namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<SimOptions> ParseSimOptions(int argc, char** argv) {
    SimOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        std::string_view value = argv[++i];
        if (name == "--port") {
            if (!ParseNumber(value, options.port) || options.port < 0 || options.port > 65535) return std::nullopt;
        } else if (name == "--record") {
            options.recordPath = value;
        } else if (name == "--log-bytes") {
            if (!ParseNumber(value, options.logBytes)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return options;
}
