#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>

#include "support/routersim_fixture.h"
#include "session/router_http_client.h"
#include "support/fake_dialog.h"

namespace {

#ifdef _WIN32
constexpr int InvalidArgumentCode = 10022;  // WSAEINVAL
constexpr int RefusedCode = 10061;          // WSAECONNREFUSED
#else
constexpr int InvalidArgumentCode = EINVAL;
constexpr int RefusedCode = ECONNREFUSED;
#endif

const std::string LogPageRequest = "GET /syslog.htm" + ExpectedTail;
const std::string MenuRequest = "GET /menu.htm" + ExpectedTail;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class RouterHttpClientTest : public RouterSimTest {
protected:
    // The page as a plain fetch gives it in the simulator's current state.
    std::string FetchOnce() {
        RouterHttpClient client(messages);
        EXPECT_TRUE(client.Connect(Address()));
        return client.FetchLogPage(false, "");
    }

    FakeDialog messages;
};

TEST_F(RouterHttpClientTest, EveryFixedRequestGoesOutByteForByte) {
    ASSERT_EQ(ExpectedTail.size(), 127u);
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    std::string page = client.FetchLogPage(false, "");
    EXPECT_TRUE(page.starts_with("HTTP/1.0 200 OK\r\n")) << page;
    EXPECT_NE(page.find("<BR><PRE>"), std::string::npos);
    EXPECT_EQ(client.pageText, page);
    ASSERT_TRUE(client.Connect(Address()));
    std::string status = client.FetchStatusPage();
    EXPECT_NE(status.find("Domain Name Server"), std::string::npos) << status;
    ASSERT_TRUE(client.Connect(Address()));
    client.Logout();
    EXPECT_EQ(RecordedRequests(), (std::vector<std::string>{LogPageRequest, "GET /status.htm" + ExpectedTail,
                                                            "GET /cgi-bin/logo?RC=@" + ExpectedTail}));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(RouterHttpClientTest, SuccessfulLoginTakesFourConnections) {
    Sim("auth?required=1&password=s3cret");
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    std::string refusal = client.FetchLogPage(false, "");
    EXPECT_NE(refusal.find("Authorization Required"), std::string::npos) << refusal;
    ASSERT_TRUE(client.Connect(Address()));
    // The accepted answer names "Password" too: only with "incorrect" beside it is it a refusal.
    std::string page = client.FetchLogPage(true, "s3cret");
    EXPECT_NE(page.find("L2("), std::string::npos) << page;
    EXPECT_NE(page.find("127.0.0.1 login successful"), std::string::npos) << page;
    EXPECT_EQ(page.find("Authorization Required"), std::string::npos);
    EXPECT_EQ(RecordedRequests(),
              (std::vector<std::string>{LogPageRequest, MenuRequest,
                                        "GET /cgi-bin/login?page=syslog&logout=&pws=s3cret" + ExpectedTail, LogPageRequest}));
    EXPECT_EQ(SimBody("connections"), "4\n");
}

TEST_F(RouterHttpClientTest, PasswordGoesUnencodedAndWrongOneEndsTheFetch) {
    Sim("auth?required=1&password=a+b%26c");  // the router's password is "a b&c"
    RouterHttpClient accepted(messages);
    ASSERT_TRUE(accepted.Connect(Address()));
    EXPECT_NE(accepted.FetchLogPage(true, "a b&c").find("<BR><PRE>"), std::string::npos);
    EXPECT_EQ(RecordedRequests().at(1), "GET /cgi-bin/login?page=syslog&logout=&pws=a b&c" + ExpectedTail);

    Sim("requests/clear");
    Sim("auth?loggedin=0");
    RouterHttpClient rejected(messages);
    ASSERT_TRUE(rejected.Connect(Address()));
    EXPECT_EQ(rejected.FetchLogPage(true, "wrong"), "*** Error: Invalid Admin Password");
    EXPECT_EQ(rejected.pageText, "*** Error: Invalid Admin Password");
    // A second call does not try again.
    EXPECT_EQ(rejected.FetchLogPage(false, ""), "*** Error: Invalid Admin Password");
    EXPECT_EQ(RecordedRequests().size(), 2u) << "form page and login request only";
}

TEST_F(RouterHttpClientTest, RefusalThatPersistsAfterLoginIsReturnedAsIs) {
    Sim("auth?required=1&password=pw&refuse=1");
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    EXPECT_NE(client.FetchLogPage(true, "pw").find("Authorization Required"), std::string::npos);
    EXPECT_EQ(RecordedRequests().size(), 3u);
}

TEST_F(RouterHttpClientTest, PageTextCarriesBetweenCallsUnlessItIsAnErrorText) {
    RouterHttpClient client(messages);
    ASSERT_TRUE(client.Connect(Address()));
    std::string first = client.FetchLogPage(false, "");
    // The second call of a poll returns the first response without a request.
    EXPECT_EQ(client.FetchLogPage(false, ""), first);
    // A login whose form request cannot be sent (no connection) keeps it too.
    EXPECT_EQ(client.FetchLogPage(true, "pw"), first);
    EXPECT_EQ(RecordedRequests().size(), 1u);

    RouterHttpClient failing(messages);
    EXPECT_FALSE(failing.Connect("127.0.0.1:" + SimBody("freeport")));
    std::string error = failing.FetchLogPage(false, "");
    ASSERT_TRUE(error.starts_with("*** Socket Error no.:")) << error;
    EXPECT_EQ(error, "*** Socket Error no.:" + std::to_string(RouterHttpClient::LastErrorCode()));
    EXPECT_NE(RouterHttpClient::LastErrorCode(), 0);
    // An error text is not a page: the next call asks again.
    ASSERT_TRUE(failing.Connect(Address()));
    EXPECT_NE(failing.FetchLogPage(false, "").find("<BR><PRE>"), std::string::npos);
    EXPECT_EQ(RecordedRequests().size(), 2u);
}

TEST_F(RouterHttpClientTest, StatusPageSendFailureGivesItsErrorText) {
    RouterHttpClient client(messages);
    EXPECT_EQ(client.FetchStatusPage(), "*** Error getting status ***");
    client.Logout();  // silent
    EXPECT_TRUE(RecordedRequests().empty());
}

TEST_F(RouterHttpClientTest, AddressFormsAndConnectFailures) {
    RouterHttpClient client(messages);
    EXPECT_TRUE(client.Connect(Address() + "x"));
    EXPECT_EQ(client.LocalAddress(), "127.0.0.1");
    client.Close();
    EXPECT_EQ(client.LocalAddress(), "");
    EXPECT_TRUE(client.Connect("localhost:" + std::to_string(port)));
    client.Close();
    EXPECT_FALSE(client.Connect("127.0.0.1:"));
    EXPECT_FALSE(client.Connect("127.0.0.1:abc"));
    EXPECT_EQ(client.address, "127.0.0.1:abc") << "kept even when the connect fails";
    EXPECT_FALSE(client.Reconnect());

    EXPECT_FALSE(client.Connect("127.0.0.1:" + SimBody("freeport")));
    EXPECT_EQ(RouterHttpClient::LastErrorCode(), RefusedCode);
    // A label too long for DNS: fails in the resolver without any query.
    EXPECT_FALSE(client.Connect(std::string(70, 'h') + ".invalid:80"));
    EXPECT_EQ(RouterHttpClient::LastErrorCode(), InvalidArgumentCode);
    EXPECT_FALSE(client.SendRequest("GET / HTTP/1.0\r\n\r\n"));
    EXPECT_EQ(client.ReadResponse(), "");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(RouterHttpClientTest, ContentLengthEndsAReadOnAKeptOpenConnection) {
    UseFixedLog();
    std::string expected = FetchOnce();
    Sim("mode?name=keepopen&contentlength=1");
    Clock::time_point start = Clock::now();
    std::string page = FetchOnce();
    EXPECT_LT(SecondsSince(start), 3.0);
    std::string::size_type body = page.find("\r\n\r\n");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(page.substr(body), expected.substr(expected.find("\r\n\r\n")));
    EXPECT_NE(page.find("Content-Length: "), std::string::npos);
}

TEST_F(RouterHttpClientTest, BrokenAnswersGiveWhatArrived) {
    UseFixedLog();
    std::string expected = FetchOnce();
    Sim("mode?name=reset");
    std::string half = FetchOnce();
    EXPECT_FALSE(half.empty());
    EXPECT_LT(half.size(), expected.size());
    EXPECT_TRUE(expected.starts_with(half)) << half;

    Sim("mode?name=refuse");
    EXPECT_EQ(FetchOnce(), "");

    Sim("mode?name=garbage");
    std::string noise = FetchOnce();
    EXPECT_GT(noise.size(), 1500u);
    EXPECT_LT(noise.size(), 2048u) << "its zero bytes are dropped";
    EXPECT_EQ(noise.find('\0'), std::string::npos);
}

}  // namespace
