#include "support/routersim_fixture.h"

#include <cstdlib>

#include "tcp_socket.h"

namespace {

// tests/with-routersim.sh starts the simulator beside the test run (under
// Wine the tests could not start the native one) and passes its port.
int RouterSimPort() {
    const char* port = std::getenv("VORLANE_ROUTERSIM_PORT");
    return port == nullptr ? 0 : std::atoi(port);
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
    port = RouterSimPort();
    ASSERT_GT(port, 0) << "VORLANE_ROUTERSIM_PORT is not set: run the tests through ctest (tests/with-routersim.sh)";
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
