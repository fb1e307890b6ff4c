#include "monitor/monitor_engine.h"

#include "logupdate/log_file_path.h"
#include "resource_ids.h"
#include "monitor/main_window_commands.h"

MonitorEngine::MonitorEngine(const MonitorPorts& ports, std::string optionsKeyPath)
    : mainDialog_(ports.mainDialog),
      trayIcon_(ports.tray, ports.system),
      registry_(ports.registry),
      mainWindow_(ports.mainWindow),
      optionsKeyPath_(std::move(optionsKeyPath)),
      context_{state, app, ports.mainDialog, ports.system, ports.files},
      intruders_(context_, ports.intrudersDialog, ports.intrudersWindow),
      alerts_(context_, ports.tray, intruders_),
      session_(context_, alerts_, ports.tray, *this),
      status_(app, ports.mainDialog, ports.statusDialog, ports.statusWindow, ports.system) {}

bool MonitorEngine::LoadOptions() {
    LoadSettings(context_, registry_, optionsKeyPath_);
    alerts_.BuildAlertSoundPath();
    BuildLogFilePath(context_);
    intruders_.ApplyStoredLayout();
    intruders_.StartReadingRouterLog();
    return mainDialog_.IsChecked(IDC_AUTO_START);
}

void MonitorEngine::SaveOptions() {
    intruders_.RememberLayout();
    SaveSettings(context_, registry_, optionsKeyPath_);
}

void MonitorEngine::OnCommand(int commandId, ControlEvent event) {
    if (event == ControlEvent::Clicked) {
        OnClick(commandId);
        return;
    }
    if (event != ControlEvent::TextChanged) return;
    if (commandId == IDC_ROUTER_ADDRESS) OnRouterAddressEdited(context_, mainDialog_.GetText(IDC_ROUTER_ADDRESS));
    if (commandId == IDC_PASSWORD) OnPasswordEdited(context_, mainDialog_.GetText(IDC_PASSWORD));
}

void MonitorEngine::OnClick(int commandId) {
    switch (commandId) {
    case kHideCommand: OnHideCommand(); break;
    case kCancelCommand: mainWindow_.Hide(); break;
    case IDC_START_STOP: session_.ToggleSession(); break;
    case IDC_GET_IT_NOW: session_.PollNow(); break;
    case IDC_LAUNCH_EXTERNAL: alerts_.LaunchExternalProgram(); break;
    case IDC_CHOOSE_EXTERNAL: alerts_.ChooseExternalProgram(); break;
    case IDC_AUTOFILL: alerts_.AutofillArgument(); break;
    case IDC_OPEN_LOG_FILE:
    case ID_TRAY_VIEW_LOG: ViewLogFile(context_); break;
    case IDC_DELETE_LOG_FILE:
    case ID_TRAY_DELETE_LOG: DeleteLogFile(context_); break;
    case IDC_CLEAR_SCREEN: ClearLogScreen(context_); break;
    case IDC_AUTO_START: OnAutoStartClicked(context_, session_); break;
    case IDC_SHOW_STATUS: status_.ToggleFromButton(); break;
    case IDC_SHUTDOWN: OnShutdownButton(); break;
    case ID_TRAY_PREFERENCES: RestoreMainWindow(); break;
    case ID_TRAY_SHUTDOWN: mainWindow_.ShutdownApplication(); break;
    case ID_ABOUT_COMMAND: mainWindow_.ShowAboutBox(); break;
    case ID_TRAY_INTRUDERS: intruders_.Open(); break;
    case ID_TRAY_POPUP: state.popupOnIntrusion = !state.popupOnIntrusion; break;
    default: break;
    }
}

void MonitorEngine::OnHideCommand() {
    // Enter in the argument box means "launch with this".
    if (mainWindow_.ArgumentHasFocus()) {
        alerts_.LaunchExternalProgram();
        return;
    }
    mainWindow_.Hide();
    status_.HideWithMainWindow();
}

void MonitorEngine::OnShutdownButton() {
    if (ConfirmShutdown(context_)) mainWindow_.ShutdownApplication();
}

void MonitorEngine::AddTrayIcon() { trayIcon_.AddIcon(); }

void MonitorEngine::OnTaskbarCreated() { trayIcon_.AddIcon(); }

void MonitorEngine::OnTimer(unsigned timerId) {
    if (trayIcon_.OnTimer(timerId)) return;
    if (timerId == SESSION_TIMER_ID) session_.OnSessionTick();
}

void MonitorEngine::OnTrayNotify(unsigned iconOrRequest, TrayMouseEvent event) {
    switch (event) {
    case TrayMouseEvent::LeftDown: state.stopAnimation = true; break;
    case TrayMouseEvent::LeftDoubleClick:
        state.stopAnimation = true;
        mainWindow_.RestoreAndBringForward();
        status_.ShowWithMainWindow(true);
        break;
    case TrayMouseEvent::RightDown: mainWindow_.ShowTrayMenu(state.popupOnIntrusion); break;
    case TrayMouseEvent::BalloonClick: intruders_.Open(); break;
    case TrayMouseEvent::Other: break;
    }
    if (iconOrRequest == AUTO_START_REQUEST) session_.ToggleSession();
}

void MonitorEngine::RestoreMainWindow() {
    mainWindow_.RestoreAndBringForward();
    status_.ShowWithMainWindow(false);
}

void MonitorEngine::OnMainWindowClosing() { status_.HideWithMainWindow(); }

void MonitorEngine::OnMainWindowMinimized() {
    mainWindow_.Hide();
    status_.HideWithMainWindow();
}

void MonitorEngine::OnEndSession(bool sessionEnding) {
    // Another program cancelled the shutdown: Windows goes on, and so do we.
    if (sessionEnding) mainWindow_.ShutdownApplication();
}

void MonitorEngine::OnLeftButtonDown() { state.stopAnimation = true; }

void MonitorEngine::OnAnimationClicked() { session_.ForceLogout(); }

void MonitorEngine::OnLogScreenDoubleClick(std::size_t selectionStart, std::size_t selectionEnd) {
    ::OnLogScreenDoubleClick(context_, selectionStart, selectionEnd);
}

void MonitorEngine::OnRouterStatusCommand(int commandId) {
    // Its Close button is the default button, so Enter closes it as well as Escape.
    if (commandId == kHideCommand || commandId == kCancelCommand) status_.Close();
    if (commandId == IDC_ROUTER_STATUS_REFRESH) status_.RefreshRouterStatus();
}

void MonitorEngine::OnRouterStatusClosing() { status_.Close(); }

void MonitorEngine::OnIntrudersCommand(int commandId) {
    switch (commandId) {
    case kHideCommand:
    case kCancelCommand: intruders_.Close(); break;
    case IDC_INTRUDERS_COPY: intruders_.CopySelectedAddress(); break;
    case IDC_INTRUDERS_LAUNCH:
        if (const std::string address = intruders_.SelectedAddress(); !address.empty()) {
            alerts_.LaunchExternalProgramWith(address);
        }
        break;
    default: break;
    }
}

void MonitorEngine::OnIntrudersColumnClick(int column) { intruders_.OnColumnClick(column); }

void MonitorEngine::OnIntrudersRefresh() { intruders_.Refresh(); }

void MonitorEngine::SetSessionAnimation(bool play) { mainWindow_.PlaySessionAnimation(play); }

void MonitorEngine::RefreshRouterStatus() { status_.RefreshRouterStatus(); }

void MonitorEngine::LastDateChanged() { SaveLastDate(state, registry_, optionsKeyPath_); }
