#include "support/routersim_fixture.h"

#include <cstdlib>

#include "tcp_socket.h"

#ifndef _WIN32
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

// Natively the tests start the simulator themselves, once, and stop it at exit.
class RouterSimProcess {
public:
    RouterSimProcess() {
        const char* path = VORLANE_ROUTERSIM;
        int output[2];
        if (::access(path, X_OK) != 0 || ::pipe(output) != 0) {
            failure = std::string("cannot start ") + path + "; build tools/routersim";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(output[1], STDOUT_FILENO);
            ::close(output[0]);
            ::close(output[1]);
            ::execl(path, path, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(output[1]);
        // Its first line is its port.
        std::string line;
        char c;
        pollfd waiting{output[0], POLLIN, 0};
        while (pid_ > 0 && ::poll(&waiting, 1, 5000) > 0 && ::read(output[0], &c, 1) == 1 && c != '\n') line += c;
        ::close(output[0]);
        port = std::atoi(line.c_str());
        if (port == 0) failure = std::string(path) + " did not print its port";
    }
    ~RouterSimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    int port = 0;
    std::string failure;

private:
    pid_t pid_ = -1;
};

}  // namespace
#endif

namespace {

// Where the tests find the router simulator: VORLANE_ROUTERSIM_PORT when set
// (tests/with-routersim.sh sets it for the Windows run under Wine), otherwise,
// natively, one simulator started for the whole test run.
struct RouterSimEndpoint {
    int port = 0;
    std::string failure;  // why there is none
};

// Under Wine the simulator cannot be started from here: the run's wrapper
// starts the native one and passes its port.
const RouterSimEndpoint& RouterSim() {
    static const RouterSimEndpoint endpoint = [] {
        RouterSimEndpoint found;
        if (const char* port = std::getenv("VORLANE_ROUTERSIM_PORT"); port != nullptr && std::atoi(port) > 0) {
            found.port = std::atoi(port);
            return found;
        }
#ifdef _WIN32
        found.failure = "VORLANE_ROUTERSIM_PORT is not set; run the Windows tests through ctest (tests/with-routersim.sh)";
#else
        static RouterSimProcess process;
        found.port = process.port;
        found.failure = process.failure;
#endif
        return found;
    }();
    return endpoint;
}

// One control request to the simulator; returns the whole answer.
std::string SimExchange(int port, const std::string& rawRequest) {
    TcpSocket socket;
    if (!TcpSocket::StartSocketsLayer() || !socket.Create() || !socket.Connect("127.0.0.1", static_cast<std::uint16_t>(port)))
        return {};
    socket.SendAll(rawRequest.data(), rawRequest.size());
    std::string answer;
    char buffer[4096];
    for (;;) {
        TcpSocket::ReceiveResult result = socket.Receive(buffer, sizeof buffer, 5000);
        if (result.status != TcpSocket::ReceiveStatus::Data) break;
        answer.append(buffer, result.count);
    }
    return answer;
}

}  // namespace

void RouterSimTest::SetUp() {
    const RouterSimEndpoint& sim = RouterSim();
    ASSERT_NE(sim.port, 0) << "router simulator unavailable: " << sim.failure;
    port = sim.port;
    Sim("reset");
}

std::string RouterSimTest::SimBody(const std::string& command) {
    std::string answer = SimExchange(port, "GET /_sim/" + command + " HTTP/1.0\r\n\r\n");
    std::string::size_type body = answer.find("\r\n\r\n");
    EXPECT_TRUE(answer.starts_with("HTTP/1.0 200")) << "simulator refused /_sim/" << command << ": " << answer;
    return body == std::string::npos ? std::string() : answer.substr(body + 4);
}

void RouterSimTest::Sim(const std::string& command) { ASSERT_EQ(SimBody(command), "ok\n") << "/_sim/" << command; }

std::vector<std::string> RouterSimTest::RecordedRequests() {
    std::string list = SimBody("requests");
    std::vector<std::string> requests;
    std::string::size_type at = 0;
    while (at < list.size()) {
        std::string::size_type newline = list.find('\n', at);
        if (newline == std::string::npos) break;
        std::size_t length = std::stoul(list.substr(at, newline - at));
        requests.push_back(list.substr(newline + 1, length));
        at = newline + 1 + length;
    }
    return requests;
}
