#include <gtest/gtest.h>

#include "resource_ids.h"
#include "status/router_status_window.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "unit/session/routersim_fixture.h"

namespace {

struct FakeStatusWindow : StatusWindowPort {
    bool Exists() override { return exists; }
    void Show(bool makeForeground) override {
        shown = true;
        foreground = makeForeground;
    }
    void Hide() override { shown = false; }
    bool exists = true, shown = false, foreground = false;
};

class RouterStatusTest : public RouterSimTest {
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

TEST_F(RouterStatusTest, FetchFillsEveryFieldInBothLayouts) {
    for (const char* layout : {"common", "variant"}) {
        Sim(std::string("status?layout=") + layout + "&item=lease");
        Fetch();
        EXPECT_EQ(statusDialog.GetText(IDC_STATUS_MESSAGE), "") << layout;
        EXPECT_EQ(statusDialog.GetText(IDC_STATUS_LOCAL_ADDRESS), "127.0.0.1");
        EXPECT_EQ(statusDialog.GetText(IDC_STATUS_WAN_TYPE), "PPPoE");
        EXPECT_EQ(statusDialog.GetText(IDC_STATUS_CONNECTION_LABEL), "Remaining Lease Time:");
        for (int id : {IDC_STATUS_EXTERNAL_ADDRESS, IDC_STATUS_SUBNET_MASK, IDC_STATUS_GATEWAY, IDC_STATUS_DNS,
                       IDC_STATUS_CONNECTION_TIME}) {
            const std::string value = statusDialog.GetText(id);
            EXPECT_FALSE(value.empty()) << layout << " " << id;
            EXPECT_FALSE(value.starts_with("***")) << layout << " " << id << ": " << value;
        }
    }
}

TEST_F(RouterStatusTest, StaticAddressHidesTheRowAndALeaseShowsItAgain) {
    Sim("status?item=none");
    Fetch();
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_CONNECTION_TIME), "Not applicable: Static IP");
    EXPECT_FALSE(statusDialog.IsVisible(IDC_STATUS_CONNECTION_TIME));
    EXPECT_FALSE(statusDialog.IsVisible(IDC_STATUS_CONNECTION_LABEL));
    Sim("status?item=connection");
    Fetch();
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_CONNECTION_LABEL), "Connection Time:");
    EXPECT_TRUE(statusDialog.IsVisible(IDC_STATUS_CONNECTION_TIME));
    EXPECT_TRUE(statusDialog.IsVisible(IDC_STATUS_CONNECTION_LABEL));
}

TEST_F(RouterStatusTest, UnreachableRouterEmptiesTheRouterFieldsOnly) {
    Fetch();
    const std::string freePort = SimBody("freeport");
    mainDialog.SetText(IDC_ROUTER_ADDRESS, "127.0.0.1:" + freePort.substr(0, freePort.find('\n')));
    statusDialog.ClearHistory();
    Fetch();
    EXPECT_EQ(statusDialog.TextHistory(IDC_STATUS_MESSAGE),
              (std::vector<std::string>{"Connecting...", "*** Error: Can't connect to routeur address"}));
    for (int id : {IDC_STATUS_CONNECTION_TIME, IDC_STATUS_PRINTER, IDC_STATUS_SUBNET_MASK, IDC_STATUS_GATEWAY,
                   IDC_STATUS_EXTERNAL_ADDRESS, IDC_STATUS_DNS}) {
        EXPECT_EQ(statusDialog.GetText(id), "") << id;
    }
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_LOCAL_ADDRESS), "127.0.0.1");
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_WAN_TYPE), "PPPoE");
}

TEST_F(RouterStatusTest, RedirectOnlyChangesTheStatusLine) {
    Fetch();
    const std::string gateway = statusDialog.GetText(IDC_STATUS_GATEWAY);
    Sim("moved?on=1");
    Fetch();
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_MESSAGE), "*** Error: Invalid address. Try remote admin address");
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_GATEWAY), gateway);
}

TEST_F(RouterStatusTest, ButtonShowsAndHidesAndCloseResetsTheCaption) {
    controller.ToggleFromButton();
    system.WaitForWorkers();
    EXPECT_TRUE(window.shown && window.foreground);
    EXPECT_TRUE(app.statusShown);
    EXPECT_EQ(app.currentRouterAddress.Get(), Address());
    EXPECT_EQ(mainDialog.GetText(IDC_SHOW_STATUS), "Hide Router Status");
    EXPECT_EQ(system.workersStarted, 1);
    EXPECT_EQ(statusDialog.GetText(IDC_STATUS_LOCAL_ADDRESS), "127.0.0.1");

    controller.HideWithMainWindow();
    EXPECT_FALSE(window.shown);
    EXPECT_TRUE(app.statusShown);
    controller.ShowWithMainWindow(false);
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(window.foreground);

    controller.Close();
    EXPECT_FALSE(window.shown);
    EXPECT_FALSE(app.statusShown);
    EXPECT_EQ(mainDialog.GetText(IDC_SHOW_STATUS), "Show Router Status");
    controller.ShowWithMainWindow(true);
    EXPECT_FALSE(window.shown);

    window.exists = false;  // creation failed: nothing acts on it
    controller.ToggleFromButton();
    EXPECT_FALSE(app.statusShown);
    EXPECT_EQ(system.workersStarted, 1);
}
