#pragma once
#include <atomic>
#include <string>

#include "tray_port.h"

// The tray icon, passed through, remembering what its last balloon was
// about: a click on a balloon says only that one was clicked.
class LastBalloonTray : public TrayPort {
public:
    explicit LastBalloonTray(TrayPort& tray) : tray_(tray) {}

    void ShowTrayImage(TrayImage image) override { tray_.ShowTrayImage(image); }
    void SetTip(const std::string& tip) override { tray_.SetTip(tip); }
    bool AddTrayIcon() override { return tray_.AddTrayIcon(); }
    void ShowBalloon(const std::string& title, const std::string& text, BalloonKind kind) override {
        lastKind_ = kind;
        tray_.ShowBalloon(title, text, kind);
    }

    // What the last balloon was about (Intrusion before any).
    BalloonKind LastBalloonKind() const { return lastKind_; }

private:
    TrayPort& tray_;
    std::atomic<BalloonKind> lastKind_{BalloonKind::Intrusion};
};
