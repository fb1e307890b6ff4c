#include "mainwindow/main_window_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "in_memory_data_protection.h"
#include "in_memory_registry.h"
#include "local_files.h"
#include "registry_values.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "support/fake_windows.h"
#include "support/loopback_sender.h"
#include "support/recording_tray.h"
#include "support/routersim_fixture.h"
#include "support/silent_intruders_window.h"
#include "unit/engine/syslog/syslog_receiving_sink.h"

namespace {

constexpr char kScratchKey[] = "SOFTWARE\\VorlaneTests\\Engine";

RegistryValue Text(const std::string& text) { return {RegistryType::String, text + '\0'}; }
RegistryValue Dword(unsigned char value) { return {RegistryType::Dword, std::string(1, char(value)) + std::string(3, '\0')}; }

// The engine behind the windows, on fake ports, with the simulator as the
// router and router.log in a folder of its own. The test's thread is the GUI
// thread.
class MainWindowEngineTest : public RouterSimTest {
protected:
    void SetUp() override {
        RouterSimTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("vorlane-engine-" + std::to_string(port));
        std::filesystem::create_directories(folder);
        system.executablePath = (folder / "Vorlane.exe").string();
        system.now = std::time(nullptr);
        for (const auto& [name, value] : {std::pair{"routerAddress", Text(Address())}, {"refreshRate", Text("30")},
                                          {"dateformat", Dword(1)}, {"logToFile", Dword(1)}, {"logGMT", Dword(0)},
                                          {"autoStart", Dword(0)}, {"alert", Dword(0)}}) {
            registry.PutValue(RegistryRoot::CurrentUser, kScratchKey, name, value);
        }
        Sim("log/clear");
        EXPECT_FALSE(engine.LoadOptions());
        system.Settle();
    }
    void TearDown() override {
        system.Settle();
        std::filesystem::remove_all(folder);
    }
    void Click(int id) {
        engine.OnCommand(id, ControlEvent::Clicked);
        system.Settle();
    }
    void Tick() {
        engine.OnTimer(SESSION_TIMER_ID);
        system.Settle();
    }
    std::string Screen() { return dialog.GetText(IDC_LOG_SCREEN); }
    std::string RouterLog() {
        std::ifstream file(folder / "router.log", std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder;
    FakeSystem system;
    FakeDialog dialog, statusDialog, intrudersDialog, syslogDialog;
    LocalFiles files;
    InMemoryRegistry registry;
    FakeMainWindow mainWindow;
    FakeWindow statusWindow, syslogWindow;
    SilentIntrudersWindow intrudersWindow;
    RecordingTray tray;
    InMemoryDataProtection protection;
    MainWindowEngine engine{{dialog, statusDialog, intrudersDialog, syslogDialog, system, files, registry, protection,
                             mainWindow, statusWindow, intrudersWindow, syslogWindow, tray},
                            kScratchKey};
};

}  // namespace

TEST_F(MainWindowEngineTest, AWholeSessionPollsOnScheduleAndShowsAndFilesEveryLineOnce) {
    Click(IDC_START_STOP);
    EXPECT_TRUE(system.TimerRunning(SESSION_TIMER_ID));
    EXPECT_EQ(mainWindow.calls, std::vector<std::string>{"play"});
    for (int poll = 0; poll < 4; ++poll) {
        // The router lists oldest first.
        if (poll == 2) Sim("log/add?text=Unrecognized+access+from+198.51.100.9:4661+to+UDP+port+137&age=12000");
        Sim("log/add?text=Event+" + std::to_string(poll) + "&age=" + std::to_string(20000 - poll * 5000));
        Tick();
        EXPECT_EQ(RouterLog(), Screen()) << "poll " << poll;  // no GMT suffix: the file repeats the screen
        EXPECT_EQ(dialog.GetText(IDC_STATUS_LINE), "Waiting...");
        // Each new time is kept at once, against a crash.
        const auto stored = registry.GetValue(RegistryRoot::CurrentUser, kScratchKey, "lastDate");
        ASSERT_TRUE(stored);
        EXPECT_NEAR(static_cast<std::int32_t>(FromLittleEndianBytes(stored->data)), system.now - 20 + poll * 5, 1);
        system.tick += 30000;  // exactly the interval: not yet
        const int started = system.workersStarted;
        Tick();
        EXPECT_EQ(system.workersStarted, started);
        system.tick += 1;
    }
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "198.51.100.9");  // autofill is on by default
    // Each line once, oldest first.
    const std::string screen = Screen();
    std::size_t at = 0;
    for (const char* part : {"Event 0", "Event 1", "Unrecognized access from 198.51.100.9:4661", "Event 2", "Event 3"})
        EXPECT_NE(at = screen.find(part, at), std::string::npos) << part << " in " << screen;
    EXPECT_EQ(std::count(screen.begin(), screen.end(), '\n'), 5) << screen;
    // No worker touched a control.
    EXPECT_EQ(dialog.callsOffGuiThread, 0);
}

TEST_F(MainWindowEngineTest, AClickOnAutofillFillsOnlyAnEmptyArgument) {
    Sim("log/add?text=Unrecognized+access+from+203.0.113.5:137+to+UDP+port+137&age=5000");
    dialog.SetChecked(IDC_AUTOFILL, false);  // as the box is when its click arrives
    Click(IDC_AUTOFILL);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "typed");
    Click(IDC_GET_IT_NOW);
    EXPECT_EQ(dialog.GetText(IDC_STATUS_LINE), "Stopped");
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "typed");
    dialog.SetChecked(IDC_AUTOFILL, true);
    Click(IDC_AUTOFILL);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "typed");  // a click never overwrites what the user typed
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "");
    Click(IDC_AUTOFILL);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "203.0.113.5");
}

// Syslog from the router's host joins the log in a form of its own and goes
// into the alerts (router.log is the GUI scenario's); the Syslog window says
// what the receiver does, and a change applies at once.
TEST_F(MainWindowEngineTest, SyslogFromTheRouterJoinsTheLogAndItsWindowTellsAndChangesTheReceiver) {
    const auto port = static_cast<std::uint16_t>(std::stoi(SimBody("freeport")));
    const auto status = [&] { return syslogDialog.GetText(IDC_SYSLOG_STATUS); };
    const auto listening = [&](const std::string& counts) {
        return "Listening on UDP and TCP port " + std::to_string(port) + ": " + counts + " refused from other addresses";
    };
    engine.OnCommand(ID_TRAY_SYSLOG, ControlEvent::Clicked);
    EXPECT_EQ(status(), "Not receiving syslog");
    syslogDialog.SetChecked(IDC_SYSLOG_ENABLED, true);
    engine.OnSyslogCommand(IDC_SYSLOG_ENABLED, ControlEvent::Clicked);
    syslogDialog.SetText(IDC_SYSLOG_PORT, std::to_string(port));
    engine.OnSyslogCommand(IDC_SYSLOG_PORT, ControlEvent::TextChanged);
    EXPECT_EQ(status(), listening("0 messages, 0"));

    ASSERT_TRUE(SendLoopbackDatagram(port, "<4>Dec  7 13:58:01 gw kernel: DROP IN=ppp0 OUT= SRC=203.0.113.9 "
                                           "DST=198.51.100.2 PROTO=TCP SPT=4455 DPT=3389"));
    ASSERT_TRUE(SendLoopbackDatagram(port, "<30>Dec  7 13:58:02 gw dnsmasq[312]: query example.com"));
    ASSERT_TRUE(Eventually([&] { system.Settle(); return Screen().find("dnsmasq") != std::string::npos; }, &system));
    EXPECT_NE(Screen().find(" - gw kernel: DROP IN=ppp0 OUT= SRC=203.0.113.9 "), std::string::npos) << Screen();
    EXPECT_NE(Screen().find(" - gw dnsmasq[312]: query example.com\r\n"), std::string::npos) << Screen();
    EXPECT_EQ(tray.balloons, std::vector<std::string>{"Intrusion attempt: 203.0.113.9, TCP port 3389"});
    engine.OnTimer(SYSLOG_STATUS_TIMER_ID);
    EXPECT_EQ(status(), listening("2 messages, 0"));
    EXPECT_EQ(dialog.callsOffGuiThread + syslogDialog.callsOffGuiThread, 0);

    // A router elsewhere: 127.0.0.1 is another address now, heard no more.
    dialog.SetText(IDC_ROUTER_ADDRESS, "192.0.2.1");
    engine.OnCommand(IDC_ROUTER_ADDRESS, ControlEvent::TextChanged);
    ASSERT_TRUE(SendLoopbackDatagram(port, "<13>not heard"));
    EXPECT_TRUE(Eventually([&] { engine.OnTimer(SYSLOG_STATUS_TIMER_ID); return status() == listening("2 messages, 1"); }))
        << status();
    syslogDialog.SetText(IDC_SYSLOG_PORT, "0");
    engine.OnSyslogCommand(IDC_SYSLOG_PORT, ControlEvent::TextChanged);
    EXPECT_EQ(status(), "Choose a port from 1 to 65535");
}

// No options stored: the icon says how to begin, once it is there.
TEST_F(MainWindowEngineTest, TheFirstRunSaysWhereToBegin) {
    InMemoryRegistry empty;
    RecordingTray firstTray;
    MainWindowEngine firstRun{{dialog, statusDialog, intrudersDialog, syslogDialog, system, files, empty, protection,
                               mainWindow, statusWindow, intrudersWindow, syslogWindow, firstTray},
                              kScratchKey};
    EXPECT_TRUE(firstRun.LoadOptions());
    system.Settle();  // its read of router.log, while it lives
    firstRun.AddTrayIcon();
    ASSERT_EQ(firstTray.balloons.size(), 1u);
    EXPECT_TRUE(firstTray.balloons[0].starts_with("Vorlane: Vorlane is running here.")) << firstTray.balloons[0];
}
