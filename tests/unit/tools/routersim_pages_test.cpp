// The simulator's own pages, as the program's client fetches them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/routersim_fixture.h"
#include "router/login_request.h"
#include "session/router_http_client.h"
#include "support/fake_dialog.h"

namespace {

class RouterSimPagesTest : public RouterSimTest {
protected:
    std::string Fetch(const std::string& path) {
        RouterHttpClient client(messages);
        EXPECT_TRUE(client.Connect(Address()));
        client.SendRequest("GET " + path + ExpectedTail);
        return client.ReadResponse();
    }

    // The age written in the L2 call of `message`, -1 when absent.
    static long AgeOf(const std::string& page, const std::string& message) {
        std::string::size_type at = page.find(",' " + message + "');");
        if (at == std::string::npos) return -1;
        std::string::size_type call = page.rfind("L2(", at);
        return std::atol(page.substr(call + 3, at - call - 3).c_str());
    }

    FakeDialog messages;
};

TEST_F(RouterSimPagesTest, LogPageCallsFollowTheMarkerWithAgesCountedToNow) {
    Sim("log/clear");
    Sim("wan?type=Dynamic+IP+Address");
    Sim("log/add?age=65000&text=Unrecognized+access+from+207.71.92.221%3a137+to+UDP+port+137");
    Sim("log/add?text=Untimed+line");
    std::string page = Fetch("/syslog.htm");
    std::string::size_type marker = page.find("<BR><PRE>");
    ASSERT_NE(marker, std::string::npos);
    EXPECT_NE(page.find("WAN Type: Dynamic IP Address<BR>"), std::string::npos);
    long age = AgeOf(page, "Unrecognized access from 207.71.92.221:137 to UDP port 137");
    EXPECT_GE(age, 65000);
    EXPECT_LT(age, 70000);
    EXPECT_GT(page.find("L1('Untimed line');", marker), page.find("L2(", marker));
    EXPECT_EQ(page.find("L2(", page.find("L2(", marker) + 1), std::string::npos) << "one timed call only";

    // Entries added between two polls show up in the second one only.
    Sim("log/add?age=0&text=PPPoE+start+to+dial-up");
    EXPECT_EQ(page.find("PPPoE start to dial-up"), std::string::npos);
    EXPECT_GE(AgeOf(Fetch("/syslog.htm"), "PPPoE start to dial-up"), 0);
}

TEST_F(RouterSimPagesTest, StatusPageInBothLayouts) {
    std::string common = Fetch("/status.htm");
    EXPECT_NE(common.find("IP Address</TD><TD ALIGN=CENTER>203.0.113.45</TD>"), std::string::npos) << common;
    EXPECT_NE(common.find("Connection Time</TD><TD ALIGN=CENTER>"), std::string::npos);
    EXPECT_EQ(common.find("asant"), std::string::npos);

    Sim("status?layout=variant&item=lease");
    std::string variant = Fetch("/status.htm");
    EXPECT_NE(variant.find("asant"), std::string::npos);
    EXPECT_NE(variant.find("Gateway</td><td>203.0.113.1</td>"), std::string::npos) << variant;
    EXPECT_NE(variant.find("Remaining Lease Time</td><td width=\"33%\">0 day 00:"), std::string::npos);
    EXPECT_EQ(variant.find("Connection Time"), std::string::npos);

    Sim("status?layout=common&item=none");
    std::string staticAddress = Fetch("/status.htm");
    EXPECT_EQ(staticAddress.find("Connection Time"), std::string::npos);
    EXPECT_EQ(staticAddress.find("Lease Time"), std::string::npos);
    EXPECT_NE(staticAddress.find("Printer</TD><TD ALIGN=CENTER>"), std::string::npos);
}

TEST_F(RouterSimPagesTest, LoginFormRefusalLogoutAndRedirect) {
    EXPECT_EQ(BuildLoginRequest(Fetch("/menu.htm"), "pw"), "GET /cgi-bin/login?page=syslog&logout=&pws=pw" + ExpectedTail);

    Sim("auth?required=1&password=pw");
    EXPECT_NE(Fetch("/syslog.htm").find("401 Authorization Required"), std::string::npos);
    EXPECT_NE(Fetch("/status.htm").find("Authorization Required"), std::string::npos);
    std::string wrong = Fetch("/cgi-bin/login?pws=nope");
    EXPECT_NE(wrong.find("Password"), std::string::npos);
    EXPECT_NE(wrong.find("incorrect"), std::string::npos);
    std::string right = Fetch("/cgi-bin/login?page=syslog&pws=pw");
    EXPECT_EQ(right.find("incorrect"), std::string::npos);
    EXPECT_NE(Fetch("/syslog.htm").find("<BR><PRE>"), std::string::npos);
    Fetch("/cgi-bin/logo?RC=@");
    EXPECT_NE(Fetch("/syslog.htm").find("Authorization Required"), std::string::npos);

    Sim("moved?on=1");
    std::string moved = Fetch("/syslog.htm");
    EXPECT_TRUE(moved.starts_with("HTTP/1.0 301 Moved")) << moved;
}

TEST_F(RouterSimPagesTest, RecordsRouterRequestsOnlyAndClearsOnDemand) {
    Fetch("/syslog.htm");
    SimBody("connections");
    Fetch("/nothing-here");
    EXPECT_EQ(RecordedRequests(),
              (std::vector<std::string>{"GET /syslog.htm" + ExpectedTail, "GET /nothing-here" + ExpectedTail}));
    Sim("requests/clear");
    EXPECT_TRUE(RecordedRequests().empty());
    EXPECT_EQ(SimBody("connections"), "0\n");
}

}  // namespace
