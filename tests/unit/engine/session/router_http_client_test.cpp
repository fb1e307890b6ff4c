#include <gtest/gtest.h>

#include "support/routersim_fixture.h"
#include "session/router_http_client.h"
#include "support/fake_dialog.h"

namespace {

const std::string LogPageRequest = "GET /syslog.htm" + ExpectedTail;

class RouterHttpClientTest : public RouterSimTest {
protected:
    std::string FetchOnce() {
        RouterHttpClient client(messages);
        EXPECT_TRUE(client.Connect(Address()));
        return client.FetchLogPage(false, "");
    }
    std::string Body(const std::string& answer) { return answer.substr(answer.find("\r\n\r\n")); }

    FakeDialog messages;
};

TEST_F(RouterHttpClientTest, EveryFixedRequestGoesOutByteForByte) {
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    const std::string page = client.FetchLogPage(false, "");
    EXPECT_TRUE(page.starts_with("HTTP/1.0 200 OK\r\n")) << page;
    // The second call of a poll returns the first response without a request.
    EXPECT_EQ(client.FetchLogPage(false, ""), page);
    ASSERT_TRUE(client.Connect(Address()));
    EXPECT_NE(client.FetchStatusPage().find("Domain Name Server"), std::string::npos);
    ASSERT_TRUE(client.Connect(Address()));
    client.Logout();
    EXPECT_EQ(RecordedRequests(), (std::vector<std::string>{LogPageRequest, "GET /status.htm" + ExpectedTail,
                                                            "GET /cgi-bin/logo?RC=@" + ExpectedTail}));
}

TEST_F(RouterHttpClientTest, LoginTakesFourConnectionsAndAWrongPasswordEndsTheFetch) {
    Sim("auth?required=1&password=a+b%26c");  // the router's password is "a b&c", sent unencoded
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    EXPECT_NE(client.FetchLogPage(false, "").find("Authorization Required"), std::string::npos);
    ASSERT_TRUE(client.Connect(Address()));
    // The accepted answer names "Password" too: only with "incorrect" beside it is it a refusal.
    const std::string page = client.FetchLogPage(true, "a b&c");
    EXPECT_NE(page.find("127.0.0.1 login successful"), std::string::npos) << page;
    EXPECT_EQ(RecordedRequests(), (std::vector<std::string>{LogPageRequest, "GET /menu.htm" + ExpectedTail,
                                                            "GET /cgi-bin/login?page=syslog&logout=&pws=a b&c" + ExpectedTail,
                                                            LogPageRequest}));
    EXPECT_EQ(SimBody("connections"), "4\n");

    Sim("requests/clear");
    Sim("auth?loggedin=0");
    RouterHttpClient rejected(messages);
    ASSERT_TRUE(rejected.Connect(Address()));
    EXPECT_EQ(rejected.FetchLogPage(true, "wrong"), "*** Error: Invalid Admin Password");
    EXPECT_EQ(rejected.FetchLogPage(false, ""), "*** Error: Invalid Admin Password");  // no second try
    EXPECT_EQ(RecordedRequests().size(), 2u) << "form page and login request only";
}

TEST_F(RouterHttpClientTest, AnErrorTextIsNoPageAndTheNextCallAsksAgain) {
    RouterHttpClient client(messages);
    EXPECT_FALSE(client.Connect("127.0.0.1:" + SimBody("freeport")));
    const std::string error = client.FetchLogPage(false, "");
    EXPECT_EQ(error, "*** Socket Error no.:" + std::to_string(RouterHttpClient::LastErrorCode()));
    EXPECT_NE(RouterHttpClient::LastErrorCode(), 0);
    ASSERT_TRUE(client.Connect(Address()));
    EXPECT_NE(client.FetchLogPage(false, "").find("<BR><PRE>"), std::string::npos);
    EXPECT_EQ(RecordedRequests().size(), 1u);
}

TEST_F(RouterHttpClientTest, APortPast16BitsIsRefusedNotNarrowed) {
    RouterHttpClient client(messages);
    // Narrowed to 16 bits, this port would be the simulator's own.
    EXPECT_FALSE(client.Connect("127.0.0.1:" + std::to_string(port + 65536)));
    EXPECT_TRUE(client.FetchLogPage(false, "").starts_with("*** Socket Error no.:"));
    EXPECT_TRUE(RecordedRequests().empty());
}

TEST_F(RouterHttpClientTest, AnAnswerPastTheLimitEndsTheReadWithAnError) {
    constexpr std::size_t Limit = RouterHttpClient::kMaxResponseBytes;
    Sim("mode?name=huge&bytes=" + std::to_string(Limit - 100000));
    EXPECT_TRUE(FetchOnce().ends_with("</HTML>\n"));

    Sim("mode?name=huge&bytes=" + std::to_string(4 * Limit));
    EXPECT_EQ(FetchOnce(), "*** Error: The router's answer is larger than 16 MB.");
    // The client closed once past the limit: the socket buffers took a few MB more at most.
    const std::string told = SimBody("generated");
    ASSERT_TRUE(told.starts_with("sent ") && told.ends_with(" cut\n")) << told;
    EXPECT_LT(std::stoull(told.substr(5)), 2 * Limit) << told;
}

// A reset mid-answer is the hostile_reset_mid_answer GUI scenario's.
TEST_F(RouterHttpClientTest, BrokenAnswersGiveWhatArrived) {
    // Untimed lines only, so that the page does not change between fetches.
    Sim("log/clear");
    Sim("log/add?text=Sync+time+with+time+server+192.0.2.123");
    Sim("log/add?text=PPPoE+start+to+dial-up");
    Sim("log/add?text=DHCP%3aack(DOL%3d1800,T1%3d900,T2%3d1200)");
    const std::string expected = FetchOnce();
    // Kept open after the page: the Content-Length ends the read.
    Sim("mode?name=keepopen&contentlength=1");
    const std::string counted = FetchOnce();
    EXPECT_NE(counted.find("Content-Length: "), std::string::npos);
    EXPECT_EQ(Body(counted), Body(expected));

    Sim("mode?name=garbage");
    const std::string noise = FetchOnce();
    EXPECT_GT(noise.size(), 1500u);
    EXPECT_EQ(noise.find('\0'), std::string::npos);
}

}  // namespace
