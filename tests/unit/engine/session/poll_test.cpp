#include "session/poll.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/routersim_fixture.h"

namespace {

// One poll against the simulator: the request in, the outcome and the
// status line's texts out.
class PollTest : public RouterSimTest {
protected:
    void SetUp() override {
        RouterSimTest::SetUp();
        system.now = std::time(nullptr);
        request.routerAddress = Address();
        request.password = "vesto";
        request.page.render.dateFormat = DateFormat::Short;
        Sim("log/clear");
    }
    PollOutcome Poll() {
        statuses.clear();
        return RunPoll(request, system, messages, [this](const char* text) { statuses.push_back(text); });
    }

    FakeSystem system;
    FakeDialog messages;
    PollRequest request;
    std::vector<std::string> statuses;
};

}  // namespace

// What the page then holds, and how the next poll reads it, is the main
// window engine's whole-session test's.
TEST_F(PollTest, EachStepShowsOnTheStatusLineAndALoginIsOne) {
    EXPECT_EQ(Poll().result, PollResult::GotPage);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Connecting...", "Getting content...", "Parsing content..."}));
    Sim("auth?required=1&password=vesto");
    const PollOutcome outcome = Poll();
    EXPECT_EQ(outcome.result, PollResult::GotPage);
    ASSERT_TRUE(outcome.page);
    EXPECT_TRUE(outcome.notice.empty());
    EXPECT_EQ(statuses, (std::vector<std::string>{"Connecting...", "Getting content...", "Login in...",
                                                  "Parsing content..."}));
    EXPECT_EQ(messages.callsOffGuiThread + static_cast<int>(messages.Messages().size()), 0);
}

// Each way a poll fails says so by its kind, whatever the log screen shows.
TEST_F(PollTest, FailuresGiveTheirNoticeAndTheirKind) {
    const std::string nobody = "127.0.0.1:" + std::to_string(std::stoi(SimBody("freeport")));
    const std::string login = "auth?required=1&password=vesto";
    const struct {
        std::string sim, password, address, notice;
        PollResult result;
    } cases[] = {
        {login, "", Address(), "*** Error: Login disabled.", PollResult::LoginDisabled},
        {login, "wrong", Address(), "*** Error: Invalid Admin Password", PollResult::InvalidPassword},
        {login + "&refuse=1", "vesto", Address(), "", PollResult::AuthorizationFailed},
        {"moved?on=1", "", Address(), "*** Error: Page moved.", PollResult::PageMoved},
        {"mode?name=refuse", "", Address(), "", PollResult::NoAnswer},  // an empty screen, but no answer
        {"mode?name=garbage", "", Address(), "", PollResult::NoAnswer},
        {"reset", "", nobody, "*** ERROR: Cannot connect to specified address\r\nsystem text ",
         PollResult::CannotConnect},
    };
    for (const auto& c : cases) {
        Sim(c.sim);
        request.password = c.password;
        request.routerAddress = c.address;
        const PollOutcome outcome = Poll();
        EXPECT_TRUE(outcome.notice.starts_with(c.notice)) << c.sim << ": " << outcome.notice;
        EXPECT_EQ(outcome.page.has_value(), c.notice.empty()) << c.sim;
        EXPECT_EQ(outcome.result, c.result) << c.sim;
        Sim("reset");
    }
}
