#include <gtest/gtest.h>

#include "resource_ids.h"
#include "routerstatus/router_status_window.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/routersim_fixture.h"

namespace {

struct FakeStatusWindow : RouterStatusWindowPort {
    bool Exists() override { return exists; }
    void Show(bool makeForeground) override {
        shown = true;
        foreground = makeForeground;
    }
    void Hide() override { shown = false; }
    bool exists = true, shown = false, foreground = false;
};

class RouterStatusWindowTest : public RouterSimTest {
protected:
    void SetUp() override {
        RouterSimTest::SetUp();
        mainDialog.SetText(IDC_ROUTER_ADDRESS, Address());
        app.wanType.Set("PPPoE");
    }
    void TearDown() override { system.WaitForWorkers(); }
    void Fetch() {
        app.currentRouterAddress.Set(mainDialog.GetText(IDC_ROUTER_ADDRESS));
        FetchRouterStatus(app, statusDialog);
    }

    FakeSystem system;
    FakeDialog mainDialog, statusDialog;
    AppSharedValues app;
    FakeStatusWindow window;
    RouterStatusController controller{app, mainDialog, statusDialog, window, system};
};

}  // namespace

// The GUI tests check the fields, both layouts, the time row and an unreachable
// router through the real window; these are the cases they cannot reach.

TEST_F(RouterStatusWindowTest, RedirectChangesOnlyTheWindowsMessage) {
    Fetch();
    const std::string gateway = statusDialog.GetText(IDC_ROUTER_STATUS_GATEWAY);
    EXPECT_FALSE(gateway.empty());
    Sim("moved?on=1");
    Fetch();
    EXPECT_EQ(statusDialog.GetText(IDC_ROUTER_STATUS_MESSAGE), "*** Error: Invalid address. Try remote admin address");
    EXPECT_EQ(statusDialog.GetText(IDC_ROUTER_STATUS_GATEWAY), gateway);
}

TEST_F(RouterStatusWindowTest, ButtonFetchesOnAWorkerAndNothingActsOnAWindowThatFailed) {
    controller.ToggleFromButton();
    system.WaitForWorkers();
    EXPECT_TRUE(window.shown && window.foreground && app.statusShown);
    EXPECT_EQ(app.currentRouterAddress.Get(), Address());
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_EQ(statusDialog.GetText(IDC_ROUTER_STATUS_LOCAL_ADDRESS), "127.0.0.1");
    controller.Close();
    window.exists = false;  // creation failed
    controller.ToggleFromButton();
    EXPECT_FALSE(app.statusShown || window.shown);
    EXPECT_EQ(system.workersStarted, 1);
}
