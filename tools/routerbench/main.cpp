// routerbench: times log page fetches with Vorlane's router client, one line
// of milliseconds per fetch, for scripts/bench-client.sh.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_port.h"
#include "session/router_http_client.h"

namespace {

class SilentMessages : public MessagePort {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageButtons) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return MessageAnswer::Ok;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[2]) <= 0) {
        std::fputs("usage: routerbench ADDRESS COUNT\n", stderr);
        return 2;
    }
    const std::string address = argv[1];
    const int count = std::atoi(argv[2]);
    SilentMessages messages;
    for (int i = 0; i < count; ++i) {
        auto start = std::chrono::steady_clock::now();
        RouterHttpClient client(messages);
        if (!client.Connect(address)) {
            std::fprintf(stderr, "routerbench: cannot connect to %s\n", address.c_str());
            return 1;
        }
        std::string page = client.FetchLogPage(false, "");
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (page.find("</HTML>") == std::string::npos) {
            std::fprintf(stderr, "routerbench: incomplete page (%zu bytes)\n", page.size());
            return 1;
        }
        std::printf("%.3f %zu\n", ms, page.size());
    }
    return 0;
}
