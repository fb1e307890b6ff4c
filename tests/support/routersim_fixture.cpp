#include "support/routersim_fixture.h"

#include "tcp_socket.h"

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

void RouterSimTest::UseFixedLog() {
    Sim("log/clear");
    Sim("log/add?text=Sync+time+with+time+server+192.0.2.123");
    Sim("log/add?text=PPPoE+start+to+dial-up");
    Sim("log/add?text=DHCP%3aack(DOL%3d1800,T1%3d900,T2%3d1200)");
}
