// routersim: a stand-in for the router's web server, on loopback only.
#include <chrono>
#include <cstdio>
#include <sys/socket.h>
#include <thread>

#include "connection_handler.h"
#include "log_page.h"
#include "loopback_listener.h"
#include "sim_options.h"
#include "sim_state.h"

int main(int argc, char** argv) {
    std::optional<SimOptions> options = ParseSimOptions(argc, argv);
    if (!options) {
        std::fputs(kSimUsage, stderr);
        return 2;
    }
    int listener = OpenLoopbackListener(options->port);
    if (listener < 0) {
        std::perror("routersim: cannot listen on 127.0.0.1");
        return 1;
    }
    int port = ListeningPort(listener);
    SimState state(options->recordPath);
    if (options->logBytes > 0)
        state.Update([&](SimSettings& s) { FillLog(s.log, s.wanType, options->logBytes, SimClock::now()); });
    std::printf("%d\n", port);
    std::fflush(stdout);
    for (;;) {
        int connection = ::accept(listener, nullptr, nullptr);
        if (connection < 0) {
            // Out of descriptors or interrupted: give the connections in flight time to end.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        std::thread(ServeConnection, connection, std::ref(state), port).detach();
    }
}
