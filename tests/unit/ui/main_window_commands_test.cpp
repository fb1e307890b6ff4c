#include <gtest/gtest.h>

#include "resource_ids.h"
#include "support/fake_dialog.h"
#include "support/fake_system.h"
#include "ui/main_window_commands.h"

namespace {

class MainWindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { state.logFilePath = "C:\\Vorlane\\router.log"; }
    FakeSystem system;
    FakeDialog dialog;
    MonitorState state;
    AppSharedValues app;
    MonitorContext context{state, app, dialog, system};
};

}  // namespace

TEST_F(MainWindowCommandsTest, ViewLogFileFallsBackToNotepadThenReports) {
    system.shellResults["C:\\Vorlane\\router.log"] = 31;
    ViewLogFile(context);
    ASSERT_EQ(system.shellRequests.size(), 2u);
    EXPECT_EQ(system.shellRequests[1].file, "C:\\windows\\notepad.exe ");
    EXPECT_EQ(system.shellRequests[1].parameters, "C:\\Vorlane\\router.log");
    EXPECT_TRUE(dialog.Messages().empty());

    system.shellResults["C:\\windows\\notepad.exe "] = 2;
    ViewLogFile(context);
    ASSERT_EQ(dialog.Messages().size(), 1u);
    EXPECT_EQ(dialog.Messages()[0].text, "Cannot View Log File");
}

TEST_F(MainWindowCommandsTest, DoubleClickCopiesAnAddressWithThreeDots) {
    EXPECT_EQ(AddressFromSelection("192.168.1.20:1024"), "192.168.1.20");
    EXPECT_EQ(AddressFromSelection("10.0.0.5"), "10.0.0.5");
    EXPECT_EQ(AddressFromSelection("1.2.3"), std::nullopt);
    EXPECT_EQ(AddressFromSelection("1.2.3.4.5"), std::nullopt);
    EXPECT_EQ(AddressFromSelection("word"), std::nullopt);

    dialog.SetText(IDC_LOG_SCREEN, "Unrecognized access from 10.0.0.5:4661 to TCP port 80\r\n");
    OnLogScreenDoubleClick(context, 25, 38);
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.0.0.5");
    OnLogScreenDoubleClick(context, 40, 500);  // out of range: nothing
    EXPECT_EQ(dialog.GetText(IDC_EXTERNAL_ARGUMENT), "10.0.0.5");
}

TEST_F(MainWindowCommandsTest, QuestionsActOnlyOnYes) {
    EXPECT_FALSE(ConfirmShutdown(context));
    dialog.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(ConfirmShutdown(context));
    EXPECT_EQ(dialog.Messages()[0].text, "Are you sure you want to shutdown?");
    EXPECT_EQ(dialog.Messages()[0].buttons, MessageButtons::YesNo);
}
