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

TEST_F(PollTest, ThePageIsReadAgainstTheRequestAndLoggedIntoWhenAsked) {
    Sim("log/add?text=Unrecognized+access+from+198.51.100.9:4661+to+UDP+port+137&age=12000");
    PollOutcome outcome = Poll();
    EXPECT_EQ(statuses, (std::vector<std::string>{"Connecting...", "Getting content...", "Parsing content..."}));
    ASSERT_TRUE(outcome.page);
    EXPECT_TRUE(outcome.notice.empty());
    EXPECT_EQ(outcome.result, PollResult::GotPage);
    // Dated back from the time of the fetch.
    EXPECT_NEAR(outcome.page->lastDate, system.now - 12, 1);
    ASSERT_EQ(outcome.page->update.records.size(), 1u);
    EXPECT_EQ(AddressText(outcome.page->update.records[0].attempt->address), "198.51.100.9");

    // What the screen already shows and the remembered time decide what is new.
    request.page.lastDate = outcome.page->lastDate;
    request.page.screenText = outcome.page->update.lines.displayText;
    Sim("auth?required=1&password=vesto");
    outcome = Poll();
    EXPECT_EQ(statuses, (std::vector<std::string>{"Connecting...", "Getting content...", "Login in...",
                                                  "Parsing content..."}));
    ASSERT_TRUE(outcome.page);
    // Only the router's own note of the login is new.
    ASSERT_EQ(outcome.page->update.records.size(), 1u);
    EXPECT_EQ(outcome.page->update.records[0].message, "127.0.0.1 login successful");
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
