#pragma once
#include <windows.h>
#include <shellapi.h>

#include "tray_port.h"

// The notification-area icon of the main window and its popup menu.
class TrayIcon : public TrayPort {
public:
    explicit TrayIcon(HINSTANCE instance) : instance_(instance) {}

    void BuildMenu();
    void Add(HWND mainWindow);
    // Adds the icon again with the record it had, after the taskbar was re-created.
    void AddAgain();
    void Remove();
    void DestroyMenu();
    // Opens the menu at the mouse; a chosen item arrives at the main window as its command.
    void ShowMenu();

    void ShowTrayImage(TrayImage image) override;

private:
    HINSTANCE instance_;
    HMENU menu_ = nullptr;
    HICON normalIcon_ = nullptr;
    HICON alertIcon_ = nullptr;
    NOTIFYICONDATAA data_ = {};
};
