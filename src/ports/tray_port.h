#pragma once
#include <string>

// The images of the icon: one for each state of the watch, and the alert's
// frame that blinks over them.
enum class TrayImage { Watching, Blind, Idle, Alert };

// What a balloon is about; the icon shows it with an icon of its kind.
enum class BalloonKind { Intrusion, Trouble, Notice };

// The notification-area icon as the engine sees it.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void ShowTrayImage(TrayImage image) = 0;
    // The text shown while the pointer rests on the icon.
    virtual void SetTip(const std::string& tip) = 0;
    // Puts the icon in the notification area; false while there is no taskbar to take it.
    virtual bool AddTrayIcon() = 0;
    // A notification balloon at the icon; any thread.
    virtual void ShowBalloon(const std::string& title, const std::string& text, BalloonKind kind) = 0;
};
