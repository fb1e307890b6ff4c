#include "mainwindow/main_window_engine.h"

#include <chrono>
#include <utility>

#include "logpage/screen_address.h"
#include "mainwindow/main_window_commands.h"
#include "path_parts.h"
#include "resource_ids.h"
#include "settings/startup_registration.h"

namespace {
constexpr char kLogFileName[] = "router.log";
constexpr char kAlertSoundFileName[] = "intruder.wav";
// At exit router.log gets this long to take the lines that wait for it.
constexpr std::chrono::milliseconds kLogFileGrace{2000};
}  // namespace

MainWindowEngine::MainWindowEngine(const MainWindowPorts& ports, std::string optionsKeyPath)
    : mainDialog_(ports.mainDialog),
      system_(ports.system),
      registry_(ports.registry),
      protection_(ports.protection),
      mainWindow_(ports.mainWindow),
      optionsKeyPath_(std::move(optionsKeyPath)),
      optionControls_(ports.mainDialog),
      boxes_(ports.mainDialog, ports.system),
      tray_(ports.tray),
      trayIcon_(tray_, ports.system, [this] { trayStatus_.OnIconAdded(); }),
      trayAnimation_(tray_),
      logScreen_(ports.mainDialog, ports.system),
      logFile_(ports.files, ports.system),
      alerts_(ports.mainDialog, ports.system, ports.files, tray_, trayAnimation_, boxes_, options_),
      alertGate_(ports.system, options_),
      intruders_(ports.intrudersDialog, ports.intrudersWindow, ports.system, ports.files, options_),
      trayStatus_(tray_, trayAnimation_, ports.system, options_, [this] { return intruders_.AttemptsToday(); }),
      publisher_(logScreen_, logFile_, intruders_, alerts_, alertGate_, options_),
      status_(ports.mainDialog, ports.statusDialog, ports.statusWindow, ports.system, boxes_, options_),
      session_(ports.mainDialog, ports.system, boxes_, options_, logScreen_, trayAnimation_, *this),
      syslog_(ports.system, publisher_, options_),
      syslogWindow_(ports.syslogDialog, ports.syslogWindow, ports.system, options_, syslog_) {
    intruders_.SetTableListener([this] { trayStatus_.Refresh(); });
    syslog_.SetStateListener([this](SyslogState state) { trayStatus_.OnSyslogReceiver(state); });
}

bool MainWindowEngine::LoadOptions() {
    StoredSettings stored = LoadSettings(registry_, optionsKeyPath_, protection_, system_.CurrentTime());
    const bool firstRun = stored.firstRun;
    options_ = std::move(stored.options);
    passwordToProtect_ = stored.passwordToProtect;
    session_.SetLastDate(stored.lastDate);
    const std::string executable = system_.ExecutablePath();
    const StartupRegistration registration = ReadStartupRegistration(registry_, executable);
    if (registration != StartupRegistration::NoRunKey) {
        options_.launchAtStartup = registration == StartupRegistration::Registered ? 1 : 0;
    }
    optionControls_.Show(options_);
    if (registration == StartupRegistration::AnotherProgram) {
        mainDialog_.ShowMessage(kAnotherProgramRegisteredWarning, MessageButtons::Ok);
    }
    alerts_.SetAlertSoundPath(PathBeside(executable, kAlertSoundFileName));
    logFile_.SetPath(PathBeside(executable, kLogFileName));
    intruders_.ApplyLayout(options_.intrudersLayout);
    intruders_.StartReadingRouterLog(logFile_.Path());
    trayStatus_.Start(firstRun);
    syslog_.Apply();
    return IsOn(options_.autoStart);
}

void MainWindowEngine::SaveOptionsAndFinish() {
    syslog_.Stop();
    if (auto layout = intruders_.CurrentLayout()) options_.intrudersLayout = layout;
    SaveSettings({options_, session_.LastDate(), passwordToProtect_}, registry_, optionsKeyPath_, protection_);
    SaveStartupRegistration(IsOn(options_.launchAtStartup), registry_, system_.ExecutablePath());
    logFile_.WaitUntilDone(kLogFileGrace);
}

void MainWindowEngine::OnCommand(int commandId, ControlEvent event) {
    optionControls_.TakeChange(commandId, event, options_);
    // Syslog from the router's host alone follows its address.
    if (commandId == IDC_ROUTER_ADDRESS && event == ControlEvent::TextChanged) syslog_.ApplySenderRule();
    if (event == ControlEvent::Clicked) OnClick(commandId);
}

void MainWindowEngine::OnClick(int commandId) {
    switch (commandId) {
    case kHideCommand: OnHideCommand(); break;
    case kCancelCommand: mainWindow_.Hide(); break;
    case IDC_START_STOP: session_.ToggleSession(); break;
    case IDC_GET_IT_NOW: session_.PollNow(); break;
    case IDC_LAUNCH_EXTERNAL: alerts_.LaunchExternalProgramWith(publisher_.LastParagraph()); break;
    case IDC_CHOOSE_EXTERNAL: alerts_.ChooseExternalProgram(options_); break;
    case IDC_AUTOFILL: alerts_.AutofillArgument(publisher_.FirstAddressOnScreen()); break;
    case IDC_OPEN_LOG_FILE:
    case ID_TRAY_VIEW_LOG: ViewLogFile(system_, boxes_, logFile_.Path()); break;
    case IDC_DELETE_LOG_FILE:
    case ID_TRAY_DELETE_LOG: DeleteLogFile(mainDialog_, logFile_); break;
    case IDC_CLEAR_SCREEN: publisher_.ClearScreen(); break;
    case IDC_AUTO_START: OnAutoStartClicked(); break;
    case IDC_SHOW_STATUS: status_.ToggleFromButton(); break;
    case IDC_SHUTDOWN: OnShutdownButton(); break;
    case ID_TRAY_PREFERENCES: RestoreMainWindow(); break;
    case ID_TRAY_SHUTDOWN: mainWindow_.ShutdownApplication(); break;
    case ID_ABOUT_COMMAND: mainWindow_.ShowAboutBox(); break;
    case ID_TRAY_INTRUDERS: intruders_.Open(); break;
    case ID_TRAY_SYSLOG: syslogWindow_.Open(); break;
    case ID_TRAY_POPUP: options_.popupOnIntrusion = !options_.popupOnIntrusion; break;
    case ID_TRAY_POPUP_TROUBLE: options_.popupOnTrouble = !options_.popupOnTrouble; break;
    default: break;
    }
}

void MainWindowEngine::OnHideCommand() {
    // Enter in the argument box means "launch with this".
    if (mainWindow_.ArgumentHasFocus()) {
        alerts_.LaunchExternalProgramWith(publisher_.LastParagraph());
        return;
    }
    mainWindow_.Hide();
    status_.HideWithMainWindow();
}

void MainWindowEngine::OnAutoStartClicked() {
    if (!IsOn(options_.autoStart) || session_.Running()) return;
    if (WantsToConnectNow(mainDialog_)) session_.ToggleSession();
}

void MainWindowEngine::OnShutdownButton() {
    if (ConfirmShutdown(mainDialog_)) mainWindow_.ShutdownApplication();
}

void MainWindowEngine::OnAutoStartRequest() { session_.ToggleSession(); }

void MainWindowEngine::AddTrayIcon() { trayIcon_.AddIcon(); }

void MainWindowEngine::OnTaskbarCreated() { trayIcon_.AddIcon(); }

void MainWindowEngine::OnTimer(unsigned timerId) {
    if (trayIcon_.OnTimer(timerId)) return;
    if (timerId == SESSION_TIMER_ID) session_.OnSessionTick();
    if (timerId == SYSLOG_STATUS_TIMER_ID) syslogWindow_.OnStatusTimer();
}

void MainWindowEngine::OnTrayNotify(TrayMouseEvent event) {
    switch (event) {
    case TrayMouseEvent::LeftDown: trayAnimation_.Stop(); break;
    case TrayMouseEvent::LeftDoubleClick:
        trayAnimation_.Stop();
        mainWindow_.RestoreAndBringForward();
        status_.ShowWithMainWindow(true);
        break;
    case TrayMouseEvent::RightDown:
        mainWindow_.ShowTrayMenu(options_.popupOnIntrusion, options_.popupOnTrouble);
        break;
    case TrayMouseEvent::BalloonClick:
        // The intrusion's balloon leads to the intruders; the others to where the router is set.
        if (tray_.LastBalloonKind() == BalloonKind::Intrusion) {
            intruders_.Open();
        } else {
            RestoreMainWindow();
        }
        break;
    // The tip is about to show: the day, or the address typed, may have changed since.
    case TrayMouseEvent::Move: trayStatus_.Refresh(); break;
    case TrayMouseEvent::Other: break;
    }
}

void MainWindowEngine::RestoreMainWindow() {
    mainWindow_.RestoreAndBringForward();
    status_.ShowWithMainWindow(false);
}

void MainWindowEngine::OnMainWindowClosing() { status_.HideWithMainWindow(); }

void MainWindowEngine::OnMainWindowMinimized() {
    mainWindow_.Hide();
    status_.HideWithMainWindow();
}

void MainWindowEngine::OnEndSession(bool sessionEnding) {
    // Another program cancelled the shutdown: Windows goes on, and so do we.
    if (sessionEnding) mainWindow_.ShutdownApplication();
}

void MainWindowEngine::OnLeftButtonDown() { trayAnimation_.Stop(); }

void MainWindowEngine::OnAnimationClicked() { session_.ForceLogout(); }

void MainWindowEngine::OnLogScreenDoubleClick(std::size_t selectionStart, std::size_t selectionEnd) {
    if (auto address = AddressFromScreenSelection(logScreen_.Text(), selectionStart, selectionEnd)) {
        mainDialog_.SetText(IDC_EXTERNAL_ARGUMENT, *address);
    }
}

void MainWindowEngine::OnRouterStatusCommand(int commandId) {
    // Its Close button is the default button, so Enter closes it as well as Escape.
    if (commandId == kHideCommand || commandId == kCancelCommand) status_.Close();
    if (commandId == IDC_ROUTER_STATUS_REFRESH) status_.Refresh();
}

void MainWindowEngine::OnSyslogCommand(int controlId, ControlEvent event) { syslogWindow_.OnCommand(controlId, event); }

void MainWindowEngine::OnIntrudersCommand(int commandId, ControlEvent event) {
    switch (commandId) {
    case kHideCommand: intruders_.OnEnter(options_); break;
    case kCancelCommand: intruders_.Close(); break;
    case IDC_INTRUDERS_LAUNCH:
        if (const std::string address = intruders_.SelectedAddress(); !address.empty()) {
            alerts_.LaunchExternalProgramWith(address);
        }
        break;
    default: intruders_.OnCommand(commandId, event, options_); break;
    }
}

void MainWindowEngine::OnIntrudersColumnClick(int column) { intruders_.OnColumnClick(column); }

void MainWindowEngine::OnIntrudersSelectionChanged() { intruders_.OnSelectionChanged(); }

void MainWindowEngine::OnSessionRunning(bool running) {
    mainWindow_.PlaySessionAnimation(running);
    trayStatus_.OnSessionRunning(running);
}

void MainWindowEngine::OnPollOutcome(const PollOutcome& outcome) {
    if (!outcome.page) {
        publisher_.ShowNotice(outcome.notice);
    } else if (outcome.page->authorizationFailed) {
        publisher_.ShowNotice(kAuthorizationFailedNotice);
    } else {
        status_.SetWanType(outcome.page->wanType);
        publisher_.Publish(outcome.page->update);
    }
}

void MainWindowEngine::OnLastDateChanged(std::int32_t lastDate) { SaveLastDate(lastDate, registry_, optionsKeyPath_); }

void MainWindowEngine::OnPollFinished(PollResult result) {
    trayStatus_.OnPollEnded(result);
    if (status_.Shown()) status_.Refresh();
}
