#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/routersim_fixture.h"
#include "session/router_http_client.h"
#include "support/fake_dialog.h"

namespace {

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

using RouterHttpClientPosixTest = RouterSimTest;

TEST_F(RouterHttpClientPosixTest, FailuresLeaveNoSocketOpen) {
    Sim("mode?name=reset");
    std::size_t before = OpenDescriptors();
    {
        FakeDialog messages;
        RouterHttpClient client(messages);
        EXPECT_FALSE(client.Connect("127.0.0.1:" + SimBody("freeport")));
        EXPECT_FALSE(client.Connect(std::string(70, 'h') + ".invalid"));
        // No port 0 and none past 16 bits: refused as an unknown host is.
        for (const char* address : {"127.0.0.1:0", "127.0.0.1:65616"}) {
            EXPECT_FALSE(client.Connect(address)) << address;
            EXPECT_EQ(RouterHttpClient::LastErrorCode(), EINVAL) << address;
        }
        // Connected twice without a close between: the first connection is not leaked.
        EXPECT_TRUE(client.Connect(Address()));
        EXPECT_TRUE(client.Connect(Address()));
        EXPECT_FALSE(client.FetchLogPage(false, "").empty());
        EXPECT_TRUE(client.Connect(Address()));
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
