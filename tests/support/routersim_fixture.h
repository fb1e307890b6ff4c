#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    std::string Address() const { return "127.0.0.1:" + std::to_string(port); }

    int port = 0;
};

// The request tail written out once more, independently of the code under test.
inline const std::string ExpectedTail =
    " HTTP/1.0\r\nConnection: Keep-Alive\r\nAccept: */*\r\nUser-Agent: Mozilla/4.0 (compatible)\r\n"
    "Extension: Security/Remote-Passphrase\r\n\r\n";
