#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Where the tests find the router simulator: VORLANE_ROUTERSIM_PORT when set
// (tests/with-routersim.sh sets it for the Windows run under Wine), otherwise,
// natively, one simulator started for the whole test run.
struct RouterSimEndpoint {
    int port = 0;
    std::string failure;  // why there is none
};
const RouterSimEndpoint& RouterSim();

// One control or raw request to the simulator; returns the whole answer.
std::string SimExchange(int port, const std::string& rawRequest);

// Tests that talk to the simulator. A missing simulator fails them, never skips.
class RouterSimTest : public ::testing::Test {
protected:
    void SetUp() override;

    // GET /_sim/<command>; fails the test unless the simulator says ok.
    void Sim(const std::string& command);
    // The body of GET /_sim/<command>.
    std::string SimBody(const std::string& command);
    // Raw bytes of every router request since the last reset.
    std::vector<std::string> RecordedRequests();
    // A log of untimed lines only, so that pages do not change between fetches.
    void UseFixedLog();

    std::string Address() const { return "127.0.0.1:" + std::to_string(port); }

    int port = 0;
};

// The request tail written out once more, independently of the code under test.
inline const std::string ExpectedTail =
    " HTTP/1.0\r\nConnection: Keep-Alive\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible)\r\n"
    "Extension: Security/Remote-Passphrase\r\n\r\n";
