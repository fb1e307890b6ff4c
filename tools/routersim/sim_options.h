#pragma once
#include <optional>
#include <string>

struct SimOptions {
    int port = 0;             // 0: a free one, printed on the first output line
    std::string recordPath;   // empty: requests are kept in memory only
    std::size_t logBytes = 0; // grow the log page to this size at start
};

inline constexpr const char* kSimUsage =
    "usage: routersim [--port N] [--record FILE] [--log-bytes N]\n"
    "Serves a home router's web pages on 127.0.0.1 and prints the port on its first line.\n"
    "Steer it with GET /_sim/... requests (see control_api.h).\n";

// Nothing when the arguments are not understood.
std::optional<SimOptions> ParseSimOptions(int argc, char** argv);
