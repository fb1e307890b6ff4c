#pragma once
#include <windows.h>
#include <shellapi.h>

#include "tray_port.h"

// The notification-area icon of the main window and its popup menu.
class TrayIcon : public TrayPort {
public:
    explicit TrayIcon(HINSTANCE instance) : instance_(instance) {}

    void BuildMenu();
    // Loads the icons and fills the record; AddTrayIcon then shows it.
    void Prepare(HWND mainWindow);
    bool AddTrayIcon() override;
    void Remove();
    void DestroyMenu();
    // Opens the menu at the mouse; a chosen item arrives at the main window as its command.
    void ShowMenu(bool popupOnIntrusion, bool popupOnTrouble);

    void ShowTrayImage(TrayImage image) override;
    void SetTip(const std::string& tip) override;
    void ShowBalloon(const std::string& title, const std::string& text, BalloonKind kind) override;

private:
    HINSTANCE instance_;
    HMENU menu_ = nullptr;
    HICON watchingIcon_ = nullptr;
    HICON blindIcon_ = nullptr;
    HICON idleIcon_ = nullptr;
    HICON alertIcon_ = nullptr;
    NOTIFYICONDATAA data_ = {};  // GUI thread; hWnd and uID are set before any worker runs
};
