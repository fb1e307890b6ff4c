#pragma once
#include <cstddef>
#include <string>

#include "monitor_context.h"
#include "alerts/alert_responder.h"
#include "intruders/intruders_controller.h"
#include "intruders_window_port.h"
#include "session/session_controller.h"
#include "registry_port.h"
#include "settings/settings_store.h"
#include "routerstatus/router_status_window.h"
#include "main_window_port.h"
#include "monitor/tray_animation.h"
#include "monitor/tray_icon_keeper.h"

// How a control or menu reported itself in a command.
enum class ControlEvent { Clicked, TextChanged, Other };

// The mouse messages of the tray icon that mean something.
enum class TrayMouseEvent { LeftDown, LeftDoubleClick, RightDown, BalloonClick, Other };

// The "&Hide" button (also the Enter key) and the Escape key.
inline constexpr int kHideCommand = 1;
inline constexpr int kCancelCommand = 2;

struct MonitorPorts {
    DialogPort& mainDialog;
    DialogPort& statusDialog;
    DialogPort& intrudersDialog;
    SystemPort& system;
    FilePort& files;
    RegistryPort& registry;
    MainWindowPort& mainWindow;
    RouterStatusWindowPort& statusWindow;
    IntrudersWindowPort& intrudersWindow;
    TrayPort& tray;
};

// Everything behind the main window, the tray icon and the Router Status
// window: it owns the state they share and takes each of their messages,
// so that the window procedures only translate.
class MonitorEngine : private SessionShell {
public:
    explicit MonitorEngine(const MonitorPorts& ports, std::string optionsKeyPath = kOptionsKeyPath);
    MonitorEngine(const MonitorEngine&) = delete;
    MonitorEngine& operator=(const MonitorEngine&) = delete;

    MonitorState state;
    AppSharedValues app;

    // Loads the options, builds the two file paths and starts reading
    // router.log for the Intruders window. True when the session is to
    // start by itself once the message loop runs.
    bool LoadOptions();
    void SaveOptions();

    void OnCommand(int commandId, ControlEvent event);
    // Adds the tray icon, and keeps trying every 2 s while there is no taskbar.
    void AddTrayIcon();
    // The taskbar was (re-)created: the icon goes back in.
    void OnTaskbarCreated();
    void OnTimer(unsigned timerId);
    // iconOrRequest is the tray icon's id, or the auto-start request.
    void OnTrayNotify(unsigned iconOrRequest, TrayMouseEvent event);
    void RestoreMainWindow();
    // The close box or Alt+F4, before the framework turns it into Escape.
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
    void OnRouterStatusClosing();

    void OnIntrudersCommand(int commandId);
    void OnIntrudersColumnClick(int column);
    // The table changed on another thread.
    void OnIntrudersRefresh();

private:
    void SetSessionAnimation(bool play) override;
    void RefreshRouterStatus() override;
    void LastDateChanged() override;

    void OnHideCommand();
    void OnClick(int commandId);
    void OnShutdownButton();

    DialogPort& mainDialog_;
    TrayIconKeeper trayIcon_;
    RegistryPort& registry_;
    MainWindowPort& mainWindow_;
    std::string optionsKeyPath_;
    MonitorContext context_;
    IntrudersController intruders_;
    AlertResponder alerts_;
    SessionController session_;
    RouterStatusController status_;
};
