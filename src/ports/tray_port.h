#pragma once
#include <string>

enum class TrayImage { Normal, Alert };

// The notification-area icon as the engine sees it.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void ShowTrayImage(TrayImage image) = 0;
    // Puts the icon in the notification area; false while there is no taskbar to take it.
    virtual bool AddTrayIcon() = 0;
    // A notification balloon at the icon; any thread.
    virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
};
