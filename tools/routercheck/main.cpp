// routercheck: fetches a router page through Vorlane's own client and prints
// it, as a connectivity check. It has no default address on purpose.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "console_messages.h"
#include "session/router_http_client.h"

namespace {

constexpr const char* kUsage =
    "usage: routercheck ADDRESS [--status] [--password PASSWORD]\n"
    "  ADDRESS   host or host:port of the router's web server\n"
    "  --status  fetch the status page instead of the log page\n"
    "Prints the raw answer as Vorlane's client receives it, logging in with\n"
    "PASSWORD when the router asks for it.\n";

struct CheckOptions {
    std::string address;
    bool status = false;
    std::string password;
};

bool ParseOptions(int argc, char** argv, CheckOptions& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--status") {
            options.status = true;
        } else if (argument == "--password" && i + 1 < argc) {
            options.password = argv[++i];
        } else if (!argument.starts_with("-") && options.address.empty()) {
            options.address = argument;
        } else {
            return false;
        }
    }
    return !options.address.empty();
}

std::string FetchPage(RouterHttpClient& client, const CheckOptions& options) {
    if (options.status) return client.FetchStatusPage();
    std::string page = client.FetchLogPage(false, "");
    if (page.find("Authorization Required") == std::string::npos || options.password.empty()) return page;
    std::fprintf(stderr, "routercheck: the router asks for its password; logging in\n");
    if (!client.Connect(options.address)) return "*** routercheck: cannot connect for the login";
    return client.FetchLogPage(true, options.password);
}

}  // namespace

int main(int argc, char** argv) {
    CheckOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    ConsoleMessages messages;
    RouterHttpClient client(messages);
    if (!client.Connect(options.address)) {
        int code = RouterHttpClient::LastErrorCode();
        std::fprintf(stderr, "routercheck: cannot connect to %s: %s (%d)\n", options.address.c_str(),
                     std::strerror(code), code);
        return 1;
    }
    std::fprintf(stderr, "routercheck: connected to %s from %s\n", options.address.c_str(),
                 client.LocalAddress().c_str());
    std::string page = FetchPage(client, options);
    std::fwrite(page.data(), 1, page.size(), stdout);
    if (!page.ends_with("\n")) std::fputc('\n', stdout);
    std::fprintf(stderr, "routercheck: %zu bytes\n", page.size());
    return page.empty() || page.starts_with("***") ? 1 : 0;
}
