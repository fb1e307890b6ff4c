#pragma once
#include <string>
#include <vector>

#include "tray_port.h"

// Records the images and balloons shown; the first failingAdds adds find no taskbar.
struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    bool AddTrayIcon() override { return ++adds > failingAdds; }
    void ShowBalloon(const std::string& title, const std::string& text) override { balloons.push_back(title + ": " + text); }
    std::vector<TrayImage> images;
    std::vector<std::string> balloons;
    int failingAdds = 0;
    int adds = 0;
};
