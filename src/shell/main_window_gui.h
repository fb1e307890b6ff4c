#pragma once
#include <windows.h>

#include "data_protection_win32.h"
#include "dialog_port_win32.h"
#include "local_files.h"
#include "system_port_win32.h"
#include "registry_port_win32.h"
#include "intruders_dialog_gui.h"
#include "modeless_window_gui.h"
#include "main_window_port.h"
#include "mainwindow/main_window_engine.h"
#include "tray_icon_gui.h"

// The main window "Vorlane Access": a modeless dialog that turns its
// messages into calls of the engine, which holds every rule.
class MainWindow : private MainWindowPort {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window from its template, without parent; false on failure.
    bool Create();
    HWND Window() const { return window_; }

    // The message loop's look at each message before it is dispatched; true
    // when the message has been dealt with.
    bool PreTranslateMessage(MSG& message);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnInitDialog();
    void AddAboutItemToSystemMenu();
    void OpenSessionClip();
    void OnLeftButtonDown(LPARAM lParam);
    bool PaintIconWhenMinimised();
    void ReleaseWindowResources();
    bool BelongsToMainWindow(HWND window) const;
    bool IsOtherWindowMessage(MSG& message);

    // MainWindowPort
    void RestoreAndBringForward() override;
    void Hide() override;
    bool ArgumentHasFocus() override;
    void PlaySessionAnimation(bool play) override;
    void ShowTrayMenu(bool popupOnIntrusion, bool popupOnTrouble) override;
    void ShowAboutBox() override;
    void ShutdownApplication() override;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND toolTip_ = nullptr;
    HICON largeIcon_;
    UINT taskbarCreatedMessage_;
    bool resourcesReleased_ = false;

    Win32DialogPort mainDialogPort_;
    Win32DialogPort statusDialogPort_;
    Win32DialogPort intrudersDialogPort_;
    Win32DialogPort syslogDialogPort_;
    Win32System system_;
    LocalFiles files_;
    Win32Registry registry_;
    Win32DataProtection protection_;
    TrayIcon tray_;
    ModelessWindow statusDialog_;
    IntrudersDialog intrudersDialog_;
    ModelessWindow syslogDialog_;
    MainWindowEngine engine_;
};
