// syslogsink: receives syslog on a port with Vorlane's own receiver and
// appends every message to a file as a router.log line, until SIGTERM or
// SIGINT. Then it prints what it received.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#include "clock_only_system.h"
#include "log_file_sink.h"

namespace {

constexpr const char* kUsage =
    "usage: syslogsink PORT FILE [--router ADDRESS]\n"
    "  PORT    UDP and TCP port to listen on; 0 takes a free one\n"
    "  FILE    where each message goes as a router.log line\n"
    "  --router  hear only the host of ADDRESS (host:port); without it, any sender\n"
    "Prints \"listening on port N\" once it listens; on SIGTERM or SIGINT it stops\n"
    "and prints \"records R, refused F, dropped D, attempts A, lost L, span S ms\".\n";

std::atomic<bool> stopRequested{false};

void RequestStop(int) { stopRequested = true; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string_view(argv[3]) == "--router")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const long port = std::strtol(argv[1], nullptr, 10);
    if (port < 0 || port > 65535) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string router = argc == 5 ? argv[4] : "";
    std::signal(SIGTERM, RequestStop);
    std::signal(SIGINT, RequestStop);

    ClockOnlySystem system;
    LogFileSink sink(argv[2]);
    SyslogReceiver receiver(system, sink);
    if (!receiver.Start(static_cast<std::uint16_t>(port), router, router.empty())) {
        const int code = receiver.Status().errorCode;
        std::fprintf(stderr, "syslogsink: cannot listen on port %ld: %s\n", port, system.SystemMessageText(code).c_str());
        return 1;
    }
    std::printf("listening on port %u\n", receiver.Status().port);
    std::fflush(stdout);
    while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    receiver.Stop();
    const auto status = receiver.Status();
    std::printf("records %llu, refused %llu, dropped %llu, attempts %llu, lost %llu, span %lld ms\n",
                static_cast<unsigned long long>(sink.records.load()),
                static_cast<unsigned long long>(status.refused), static_cast<unsigned long long>(status.dropped),
                static_cast<unsigned long long>(sink.attempts.load()),
                static_cast<unsigned long long>(sink.lost.load()), static_cast<long long>(sink.spanMs.load()));
    return 0;
}
