// Natively the tests start the simulator themselves, once, and stop it at exit.
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/routersim_fixture.h"
#include "support/routersim_process_posix.h"

namespace {

int ReadPortLine(int fd) {
    std::string line;
    char c;
    pollfd waiting{fd, POLLIN, 0};
    while (::poll(&waiting, 1, 5000) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return std::atoi(line.c_str());
}

}  // namespace

RouterSimProcess::RouterSimProcess(const std::vector<std::string>& arguments) {
    const char* path = VORLANE_ROUTERSIM;
    if (::access(path, X_OK) != 0) {
        failure = std::string("no routersim at ") + path + "; build tools/routersim";
        return;
    }
    std::vector<char*> argv{const_cast<char*>(path)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int output[2];
    if (::pipe(output) != 0) {
        failure = "pipe failed";
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execv(path, argv.data());
        ::_exit(127);
    }
    ::close(output[1]);
    port = pid_ > 0 ? ReadPortLine(output[0]) : 0;
    ::close(output[0]);
    if (port == 0) failure = std::string(path) + " did not print its port";
}

RouterSimProcess::~RouterSimProcess() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

const RouterSimEndpoint& RouterSim() {
    static const RouterSimEndpoint endpoint = [] {
        RouterSimEndpoint found;
        if (const char* port = std::getenv("VORLANE_ROUTERSIM_PORT"); port != nullptr && std::atoi(port) > 0) {
            found.port = std::atoi(port);
            return found;
        }
        static RouterSimProcess process;
        found.port = process.port;
        found.failure = process.failure;
        return found;
    }();
    return endpoint;
}
