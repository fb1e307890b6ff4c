#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/routersim_fixture.h"
#include "support/routersim_process_posix.h"
#include "session/router_http_client.h"
#include "support/fake_dialog.h"

namespace {

using namespace std::string_literals;

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

class RouterHttpClientPosixTest : public RouterSimTest {
protected:
    FakeDialog messages;
};

TEST_F(RouterHttpClientPosixTest, FailuresLeaveNoSocketOpen) {
    std::string refusedPort = SimBody("freeport");
    Sim("mode?name=reset");
    std::size_t before = OpenDescriptors();
    {
        RouterHttpClient client(messages);
        EXPECT_FALSE(client.Connect("127.0.0.1:" + refusedPort));
        EXPECT_FALSE(client.Connect("127.0.0.1:0"));
        EXPECT_FALSE(client.Connect(std::string(70, 'h') + ".invalid"));
        // Connected twice without a close between: the first connection is not leaked.
        EXPECT_TRUE(client.Connect(Address()));
        EXPECT_TRUE(client.Connect(Address()));
        EXPECT_FALSE(client.FetchLogPage(false, "").empty());
        EXPECT_TRUE(client.Connect(Address()));
        // Destroyed while connected.
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

// The record file holds the raw bytes of every router request, in order.
TEST(RouterSimRecordFile, HoldsTheRawBytesOfRouterRequests) {
    std::filesystem::path record = std::filesystem::temp_directory_path() / "vorlane-routersim-record.bin";
    std::filesystem::remove(record);
    {
        RouterSimProcess sim({"--record", record.string()});
        ASSERT_NE(sim.port, 0) << sim.failure;
        EXPECT_NE(SimExchange(sim.port, "GET /_sim/log/clear HTTP/1.0\r\n\r\n").find("ok"), std::string::npos);
        EXPECT_FALSE(SimExchange(sim.port, "GET /menu.htm HTTP/1.0\r\n\r\n").empty());
        EXPECT_FALSE(SimExchange(sim.port, "GET /x\0y HTTP/1.0\r\nA: b\r\n\r\n"s).empty());
    }
    std::ifstream file(record, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), "GET /menu.htm HTTP/1.0\r\n\r\nGET /x\0y HTTP/1.0\r\nA: b\r\n\r\n"s);
    std::filesystem::remove(record);
}

}  // namespace
