#include "monitor/main_window_commands.h"

#include <algorithm>

#include "logupdate/log_file_append.h"
#include "resource_ids.h"
#include "session/session_controller.h"

namespace {

constexpr char kDeleteLogQuestion[] = "Are you sure you want to delete the log file?";
constexpr char kConnectNowQuestion[] = "Do you want to connect now?";
constexpr char kShutdownQuestion[] = "Are you sure you want to shutdown?";
constexpr char kCannotViewLogText[] = "Cannot View Log File";
constexpr char kShowStatusCaption[] = "Show Router Status";
constexpr char kHideStatusCaption[] = "Hide Router Status";
constexpr char kNotepadCommand[] = "\\notepad.exe ";
constexpr std::size_t kWindowsDirectoryBuffer = 270;

bool UserSaysYes(MonitorContext& context, const char* question) {
    return context.dialog.ShowMessage(question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

std::intptr_t OpenWithNotepad(MonitorContext& context) {
    const std::string windows = context.system.WindowsDirectory();
    if (windows.empty() || windows.size() >= kWindowsDirectoryBuffer) return 0;
    ShellRequest request{"OPEN", windows + kNotepadCommand, context.state.logFilePath, "", kShowNormal};
    return context.system.OpenWithShell(request);
}

}  // namespace

void ViewLogFile(MonitorContext& context) {
    ShellRequest request{"OPEN", context.state.logFilePath, "", "", kShowNormal};
    if (ShellSucceeded(context.system.OpenWithShell(request))) return;
    if (ShellSucceeded(OpenWithNotepad(context))) return;
    context.dialog.ShowMessage(kCannotViewLogText, MessageButtons::Ok);
}

void DeleteLogFile(MonitorContext& context) {
    if (!UserSaysYes(context, kDeleteLogQuestion)) return;
    // A missing or locked file is no error worth a message.
    context.files.RemoveFile(context.state.logFilePath);
    DropPendingLogText(context.state.pendingLogText);
}

void ClearLogScreen(MonitorContext& context) { context.dialog.SetText(IDC_LOG_SCREEN, ""); }

void OnAutoStartClicked(MonitorContext& context, SessionController& session) {
    if (!context.dialog.IsChecked(IDC_AUTO_START) || context.state.sessionRunning) return;
    if (UserSaysYes(context, kConnectNowQuestion)) session.ToggleSession();
}

bool ConfirmShutdown(MonitorContext& context) { return UserSaysYes(context, kShutdownQuestion); }

void OnPasswordEdited(MonitorContext& context, const std::string& text) { context.state.routerPassword.Set(text); }

void OnRouterAddressEdited(MonitorContext& context, const std::string& text) {
    context.app.currentRouterAddress.Set(text);
}

void SetStatusButtonCaption(DialogPort& mainDialog, bool offerShow) {
    mainDialog.SetText(IDC_SHOW_STATUS, offerShow ? kShowStatusCaption : kHideStatusCaption);
}

std::optional<std::string> AddressFromSelection(const std::string& selection) {
    if (std::count(selection.begin(), selection.end(), '.') != 3) return std::nullopt;
    return selection.substr(0, selection.find(':'));
}

void OnLogScreenDoubleClick(MonitorContext& context, std::size_t selectionStart, std::size_t selectionEnd) {
    const std::string screen = context.dialog.GetText(IDC_LOG_SCREEN);
    if (selectionStart > selectionEnd || selectionStart > screen.size()) return;
    if (auto address = AddressFromSelection(screen.substr(selectionStart, selectionEnd - selectionStart))) {
        context.dialog.SetText(IDC_EXTERNAL_ARGUMENT, *address);
    }
}
