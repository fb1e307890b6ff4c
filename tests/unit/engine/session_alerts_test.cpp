#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "unit/engine/session_test_fixture.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SessionAlertsTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("vorlane-session-" + std::to_string(std::time(nullptr)) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(folder);
        state.logFilePath = (folder / "router.log").string();
        state.alertSoundPath = (folder / "intruder.wav").string();
        dialog.SetChecked(IDC_LOG_TO_FILE, true);
        dialog.SetChecked(IDC_SHORT_FORMAT, true);
    }
    void TearDown() override {
        SessionTest::TearDown();
        std::filesystem::remove_all(folder);
    }
    void AddIntrusion(const std::string& from, int ageMs) {
        Sim("log/add?text=Unrecognized+access+from+" + from + "+to+UDP+port+137&age=" + std::to_string(ageMs));
    }
    static inline int serial = 0;
    std::filesystem::path folder;
};

}  // namespace

TEST_F(SessionAlertsTest, IntrusionPlaysTheBuiltInSoundOrTheUsersFileAndAutofills) {
    dialog.SetChecked(IDC_ALERT, true);
    dialog.SetChecked(IDC_AUTOFILL, true);
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "typed by the user");
    AddIntrusion("10.1.2.3:1025", 9000);
    PollNowAndWait();
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.1.2.3");
    EXPECT_TRUE(state.animating);
    ASSERT_EQ(system.soundsPlayed.size(), 1u);
    EXPECT_EQ(system.soundsPlayed[0], "resource:131");

    std::ofstream(state.alertSoundPath) << "RIFF";
    AddIntrusion("207.71.92.221:137", 4000);
    PollNowAndWait();
    ASSERT_EQ(system.soundsPlayed.size(), 2u);
    EXPECT_EQ(system.soundsPlayed[1], "file:" + state.alertSoundPath);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "207.71.92.221");
}

TEST_F(SessionAlertsTest, AutoLaunchOnEveryUpdateWithTheLatestLines) {
    dialog.SetChecked(IDC_AUTO_LAUNCH, true);
    Sim("log/add?text=PPPoE+start+to+dial-up&age=8000");
    PollNowAndWait();
    ASSERT_EQ(dialog.Messages().size(), 1u);
    EXPECT_EQ(dialog.Messages()[0].text,
              "No external program is currently configured.\r\nUse the 'Choose External Program' button.");
    EXPECT_FALSE(state.pollBusy);

    state.externalProgramPath.Set("C:\\Tools\\notify.exe");
    dialog.SetText(IDC_EXTERNAL_ARGUMENT, "-m %% -x %%");
    Sim("log/add?text=DHCP:ack(DOL=1800,T1=900,T2=1200)&age=3000");
    PollNowAndWait();
    PollNowAndWait();  // nothing new: no launch
    ASSERT_EQ(system.shellRequests.size(), 1u);
    const ShellRequest& launch = system.shellRequests[0];
    EXPECT_EQ(launch.verb, "OPEN");
    EXPECT_EQ(launch.file, "C:\\Tools\\notify.exe");
    EXPECT_EQ(launch.directory, "C:\\Tools\\");
    EXPECT_EQ(launch.parameters, "-m " + state.lastParagraph.Get() + " -x %%");
    EXPECT_TRUE(launch.parameters.find("DHCP:ack(DOL=1800,T1=900,T2=1200)\r\n -x") != std::string::npos);

    system.shellResults["C:\\Tools\\notify.exe"] = 2;
    Sim("log/add?text=PPPoE+start+to+dial-up&age=1000");
    PollNowAndWait();
    EXPECT_EQ(dialog.Messages().back().text, "Cannot execute application: C:\\Tools\\notify.exe");
}

TEST_F(SessionAlertsTest, AWholeSessionShowsAndFilesEveryLineOnce) {
    session.ToggleSession();
    std::string expectedFile;
    for (int poll = 0; poll < 4; ++poll) {
        const std::string message = "Event+" + std::to_string(poll);
        if (poll == 2) AddIntrusion("198.51.100.9:4661", 12000);  // the router lists oldest first
        Sim("log/add?text=" + message + "&age=" + std::to_string(20000 - poll * 5000));
        system.tick += 31000;
        Tick();
        const std::string screen = Screen();
        const std::string fileText = ReadFile(state.logFilePath);
        EXPECT_EQ(fileText, screen) << "poll " << poll;  // no GMT: the file repeats the screen
        EXPECT_NE(screen.find(" - Event " + std::to_string(poll) + "\r\n"), std::string::npos) << screen;
        EXPECT_GE(state.lastDate, system.now - 22 + poll * 5);
        EXPECT_LE(state.lastDate, system.now);
    }
    const std::string screen = Screen();
    for (int poll = 0; poll < 4; ++poll) {
        const std::string line = " - Event " + std::to_string(poll) + "\r\n";
        const std::size_t first = screen.find(line);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(screen.find(line, first + 1), std::string::npos) << "shown twice: " << line;
    }
    EXPECT_NE(screen.find("Unrecognized access from 198.51.100.9:4661"), std::string::npos);
    EXPECT_EQ(system.workersStarted, 4);
}
