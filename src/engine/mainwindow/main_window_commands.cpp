#include "mainwindow/main_window_commands.h"

namespace {

constexpr char kDeleteLogQuestion[] = "Are you sure you want to delete the log file?";
constexpr char kConnectNowQuestion[] = "Do you want to connect now?";
constexpr char kShutdownQuestion[] = "Are you sure you want to shutdown?";
constexpr char kCannotViewLogText[] = "Cannot View Log File";
constexpr char kNotepadCommand[] = "\\notepad.exe ";
constexpr std::size_t kWindowsDirectoryBuffer = 270;

bool UserSaysYes(DialogPort& mainDialog, const char* question) {
    return mainDialog.ShowMessage(question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

std::intptr_t OpenWithNotepad(SystemPort& system, const std::string& logFilePath) {
    const std::string windows = system.WindowsDirectory();
    if (windows.empty() || windows.size() >= kWindowsDirectoryBuffer) return 0;
    ShellRequest request{"OPEN", windows + kNotepadCommand, logFilePath, "", kShowNormal};
    return system.OpenWithShell(request);
}

}  // namespace

void ViewLogFile(SystemPort& system, MessageBoxes& boxes, const std::string& logFilePath) {
    ShellRequest request{"OPEN", logFilePath, "", "", kShowNormal};
    if (ShellSucceeded(system.OpenWithShell(request))) return;
    if (ShellSucceeded(OpenWithNotepad(system, logFilePath))) return;
    boxes.ShowLater(kCannotViewLogText);
}

void DeleteLogFile(DialogPort& mainDialog, LogFileWriter& logFile) {
    // A missing or locked file is no error worth a message.
    if (UserSaysYes(mainDialog, kDeleteLogQuestion)) logFile.Delete();
}

bool ConfirmShutdown(DialogPort& mainDialog) { return UserSaysYes(mainDialog, kShutdownQuestion); }

bool WantsToConnectNow(DialogPort& mainDialog) { return UserSaysYes(mainDialog, kConnectNowQuestion); }
