#pragma once
#include <string>
#include <vector>

#include "tray_port.h"

// Records the images, tips and balloons shown; the first failingAdds adds find no taskbar.
struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    void SetTip(const std::string& tip) override { tips.push_back(tip); }
    bool AddTrayIcon() override { return ++adds > failingAdds; }
    void ShowBalloon(const std::string& title, const std::string& text, BalloonKind kind) override {
        balloons.push_back(title + ": " + text);
        kinds.push_back(kind);
    }
    std::vector<TrayImage> images;
    std::vector<std::string> tips;
    std::vector<std::string> balloons;
    std::vector<BalloonKind> kinds;
    int failingAdds = 0;
    int adds = 0;
};
