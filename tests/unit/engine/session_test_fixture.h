#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "app/monitor_context.h"
#include "logproc/alert_responder.h"
#include "resource_ids.h"
#include "session/session_controller.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "unit/session/routersim_fixture.h"

struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    std::vector<TrayImage> images;
};

struct RecordingShell : SessionShell {
    void SetSessionAnimation(bool play) override { animation.push_back(play); }
    void RefreshStatus() override { ++refreshes; }
    std::vector<bool> animation;
    std::atomic<int> refreshes{0};
};

// The session engine wired to fakes, with the router simulator as the router.
class SessionTest : public RouterSimTest {
protected:
    void SetUp() override {
        RouterSimTest::SetUp();
        system.now = std::time(nullptr);
        dialog.SetText(IDC_ROUTER_ADDRESS, Address());
        dialog.SetText(IDC_REFRESH_RATE, "30");
        Sim("log/clear");
    }
    void TearDown() override { system.WaitForWorkers(); }

    void Tick() {
        session.OnSessionTick();
        system.WaitForWorkers();
    }
    void PollNowAndWait() {
        session.PollNow();
        system.WaitForWorkers();
    }
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }
    std::string Status() { return dialog.GetText(IDC_STATUS_LINE); }

    FakeSystem system;
    FakeDialog dialog;
    MonitorState state;
    AppSharedValues app;
    MonitorContext context{state, app, dialog, system};
    AlertResponder alerts{context};
    RecordingTray tray;
    RecordingShell shell;
    SessionController session{context, alerts, tray, shell};
};
