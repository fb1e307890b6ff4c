#include <gtest/gtest.h>

#include <stdexcept>

#include "unit/engine/session_test_fixture.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_F(SessionTest, StartPollsAtTheFirstTickThenAfterTheInterval) {
    Sim("log/add?text=PPPoE+start+to+dial-up&age=5000");
    session.ToggleSession();
    EXPECT_EQ(dialog.GetText(IDC_START_STOP), "&Stop Session");
    EXPECT_EQ(Status(), "Waiting...");
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(shell.animation, std::vector<bool>{true});

    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_TRUE(Contains(Screen(), " - PPPoE start to dial-up\r\n")) << Screen();
    EXPECT_EQ(Status(), "Waiting...");
    EXPECT_FALSE(state.pollBusy);

    system.tick += 30000;  // exactly the interval: not yet
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    system.tick += 1;
    Tick();
    EXPECT_EQ(system.workersStarted, 2);
}

TEST_F(SessionTest, ZeroOrEmptyRefreshRatePollsOnlyOnce) {
    for (const char* rate : {"0", ""}) {
        state.lastPollEnd = 0;
        const int before = system.workersStarted;
        dialog.SetText(IDC_REFRESH_RATE, rate);
        if (!state.sessionRunning) session.ToggleSession();
        Tick();
        system.tick += 10000000;
        Tick();
        EXPECT_EQ(system.workersStarted - before, 1) << "rate '" << rate << "'";
    }
}

TEST_F(SessionTest, GetItNowPollsWhileStoppedButNotWhileBusy) {
    PollNowAndWait();
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_EQ(Status(), "Stopped");
    EXPECT_EQ(Screen(), "*** (empty) ***");
    EXPECT_NE(state.lastPollEnd, 0u);

    state.pollBusy = true;
    PollNowAndWait();
    session.ToggleSession();
    Tick();
    EXPECT_EQ(system.workersStarted, 1);
    state.pollBusy = false;
}

TEST_F(SessionTest, StopDuringAPollShowsStoppedAtOnceAndAtTheEnd) {
    session.ToggleSession();
    dialog.onTextChanged = [this](int id, const std::string& text) {
        if (id == IDC_STATUS_LINE && text == "Getting content...") session.ToggleSession();
    };
    Tick();
    dialog.onTextChanged = nullptr;
    const std::vector<std::string> expected = {"Waiting...",         "Connecting...",      "Getting content...",
                                               "Stopped",            "Parsing content...", "Stopped"};
    EXPECT_EQ(dialog.TextHistory(IDC_STATUS_LINE), expected);
    EXPECT_EQ(shell.animation, (std::vector<bool>{true, false}));
}

TEST_F(SessionTest, LoginDisabledWithoutPasswordSendsNoLogin) {
    Sim("auth?required=1&password=secret");
    PollNowAndWait();
    EXPECT_EQ(Screen(), "*** Error: Login disabled.");
    const auto requests = RecordedRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].starts_with("GET /syslog.htm HTTP/1.0"));
}

TEST_F(SessionTest, LoginWithRightAndWrongPassword) {
    Sim("auth?required=1&password=secret");
    Sim("log/add?text=192.168.123.100+login+successful&age=3000");
    state.routerPassword.Set("wrong");
    PollNowAndWait();
    EXPECT_EQ(Screen(), "*** Error: Invalid Admin Password");

    Sim("requests/clear");
    state.routerPassword.Set("secret");
    dialog.ClearHistory();
    PollNowAndWait();
    EXPECT_TRUE(Contains(Screen(), "login successful")) << Screen();
    EXPECT_EQ(RecordedRequests().size(), 4u);
    const auto statuses = dialog.TextHistory(IDC_STATUS_LINE);
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Login in..."), statuses.end());
}

TEST_F(SessionTest, RefusedConnectionAndMovedPage) {
    const std::string freePort = SimBody("freeport");
    dialog.SetText(IDC_ROUTER_ADDRESS, "127.0.0.1:" + freePort.substr(0, freePort.find('\n')));
    PollNowAndWait();
    EXPECT_TRUE(Screen().starts_with("*** ERROR: Cannot connect to specified address\r\nsystem text "));
    EXPECT_FALSE(Screen().starts_with("*** ERROR: Cannot connect to specified address\r\nsystem text 0\r\n"));

    dialog.SetText(IDC_ROUTER_ADDRESS, Address());
    Sim("moved?on=1");
    PollNowAndWait();
    EXPECT_TRUE(Screen().starts_with("*** Error: Page moved. Try other router address:port\r\nHTTP/1.0 301 Moved"))
        << Screen();
}

TEST_F(SessionTest, AFailureInsideAPortStillEndsThePoll) {
    dialog.onTextChanged = [](int id, const std::string& text) {
        if (id == IDC_STATUS_LINE && text == "Parsing content...") throw std::runtime_error("window gone");
    };
    PollNowAndWait();
    dialog.onTextChanged = nullptr;
    EXPECT_EQ(Screen(), "*** Error: window gone");
    EXPECT_FALSE(state.pollBusy);
    EXPECT_NE(state.lastPollEnd, 0u);
    EXPECT_EQ(Status(), "Stopped");
}

TEST_F(SessionTest, StatusWindowIsRefreshedAfterAPollOnlyWhileShown) {
    PollNowAndWait();
    EXPECT_EQ(shell.refreshes, 0);
    app.statusShown = true;
    PollNowAndWait();
    EXPECT_EQ(shell.refreshes, 1);
}

TEST_F(SessionTest, ForcedLogoutAsksFirstAndIsRefusedWhileBusy) {
    state.pollBusy = true;
    session.ForceLogout();
    state.pollBusy = false;
    dialog.QueueAnswer(MessageAnswer::No);
    session.ForceLogout();
    EXPECT_TRUE(RecordedRequests().empty());

    dialog.QueueAnswer(MessageAnswer::Yes);
    session.ForceLogout();
    const auto messages = dialog.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, "Cannot logout right now - in communication. Try later.");
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages[1].text, "This will force a logout. Are you sure?");
    EXPECT_EQ(messages[1].buttons, MessageButtons::YesNo);
    const auto requests = RecordedRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].starts_with("GET /cgi-bin/logo?RC=@ HTTP/1.0"));
    EXPECT_EQ(dialog.TextHistory(IDC_STATUS_LINE), (std::vector<std::string>{"Connecting...", "Loging out", "Stopped"}));
    EXPECT_FALSE(state.pollBusy);
}

TEST_F(SessionTest, StopEndsTheTimerOnceNoAnimationIsPending) {
    session.ToggleSession();
    session.ToggleSession();
    Tick();
    EXPECT_FALSE(system.TimerRunning(SESSION_TIMER_ID));

    session.ToggleSession();
    StartTrayAnimation(state);
    session.ToggleSession();
    for (int tick = 0; tick < 31; ++tick) Tick();
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));  // the alert blinks to its end
    Tick();
    EXPECT_FALSE(state.animating);
    EXPECT_FALSE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(system.workersStarted, 0);
}
