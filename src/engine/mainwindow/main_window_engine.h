#pragma once
#include <cstddef>
#include <string>

#include "alerts/alert_responder.h"
#include "alerts/intrusion_alert_gate.h"
#include "alerts/tray_animation.h"
#include "common/message_boxes.h"
#include "file_port.h"
#include "intruders/intruders_controller.h"
#include "intruders_window_port.h"
#include "logupdate/log_file_writer.h"
#include "logupdate/log_publisher.h"
#include "logupdate/log_screen.h"
#include "main_window_port.h"
#include "mainwindow/tray_icon_keeper.h"
#include "options/option_controls.h"
#include "options/options.h"
#include "registry_port.h"
#include "routerstatus/router_status_controller.h"
#include "session/session_controller.h"
#include "settings/settings_store.h"
#include "syslog/syslog_source.h"
#include "syslog/syslog_window.h"
#include "tray/last_balloon_tray.h"
#include "tray/tray_status.h"

// The mouse messages of the tray icon that mean something.
enum class TrayMouseEvent { LeftDown, LeftDoubleClick, RightDown, BalloonClick, Move, Other };

struct MainWindowPorts {
    DialogPort& mainDialog;
    DialogPort& statusDialog;
    DialogPort& intrudersDialog;
    DialogPort& syslogDialog;
    SystemPort& system;
    FilePort& files;
    RegistryPort& registry;
    DataProtectionPort& protection;
    MainWindowPort& mainWindow;
    WindowPort& statusWindow;
    IntrudersWindowPort& intrudersWindow;
    WindowPort& syslogWindow;
    TrayPort& tray;
};

// Everything behind the main window, the tray icon, the Router Status, the
// Intruders and the Syslog window: it owns the options and the units that hold the
// program's state, and takes each of the windows' messages, so that the
// window procedures only translate. GUI thread.
class MainWindowEngine : private SessionListener {
public:
    explicit MainWindowEngine(const MainWindowPorts& ports, std::string optionsKeyPath = kOptionsKeyPath);
    MainWindowEngine(const MainWindowEngine&) = delete;
    MainWindowEngine& operator=(const MainWindowEngine&) = delete;

    // Loads the options into the controls, builds the two file paths and
    // starts reading router.log for the Intruders window. True when the
    // session is to start by itself once the message loop runs.
    bool LoadOptions();
    // At exit: saves the options and lets router.log take what waits for it.
    void SaveOptionsAndFinish();
    const Options& CurrentOptions() const { return options_; }

    void OnCommand(int commandId, ControlEvent event);
    // The request LoadOptions asked for, once the message loop runs.
    void OnAutoStartRequest();
    // Adds the tray icon, and keeps trying every 2 s while there is no taskbar.
    void AddTrayIcon();
    // The taskbar was (re-)created: the icon goes back in.
    void OnTaskbarCreated();
    void OnTimer(unsigned timerId);
    void OnTrayNotify(TrayMouseEvent event);
    // The close box or Alt+F4, before the dialog turns it into Escape.
    void OnMainWindowClosing();
    void OnMainWindowMinimized();
    // The end of the Windows session; sessionEnding is false when the
    // shutdown was cancelled after all.
    void OnEndSession(bool sessionEnding);
    // Any left-button press in the main window or on one of its controls.
    void OnLeftButtonDown();
    void OnAnimationClicked();
    void OnLogScreenDoubleClick(std::size_t selectionStart, std::size_t selectionEnd);

    void OnRouterStatusCommand(int commandId);

    void OnSyslogCommand(int controlId, ControlEvent event);

    void OnIntrudersCommand(int commandId, ControlEvent event = ControlEvent::Clicked);
    void OnIntrudersColumnClick(int column);
    void OnIntrudersSelectionChanged();

private:
    // SessionListener
    void OnSessionRunning(bool running) override;
    void OnPollOutcome(const PollOutcome& outcome) override;
    void OnLastDateChanged(std::int32_t lastDate) override;
    void OnPollFinished(PollResult result) override;

    void OnHideCommand();
    void OnClick(int commandId);
    void OnShutdownButton();
    void OnAutoStartClicked();
    void RestoreMainWindow();

    DialogPort& mainDialog_;
    SystemPort& system_;
    RegistryPort& registry_;
    DataProtectionPort& protection_;
    MainWindowPort& mainWindow_;
    std::string optionsKeyPath_;

    Options options_;
    // The password was loaded in an earlier version's form: the exit protects it.
    bool passwordToProtect_ = false;
    OptionControls optionControls_;
    MessageBoxes boxes_;
    LastBalloonTray tray_;
    TrayIconKeeper trayIcon_;
    TrayAnimation trayAnimation_;
    LogScreen logScreen_;
    LogFileWriter logFile_;
    AlertResponder alerts_;
    IntrusionAlertGate alertGate_;
    IntrudersController intruders_;
    TrayStatus trayStatus_;
    LogPublisher publisher_;
    RouterStatusController status_;
    SessionController session_;
    SyslogSource syslog_;
    SyslogWindowController syslogWindow_;
};
