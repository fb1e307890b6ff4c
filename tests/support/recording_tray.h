#pragma once
#include <string>
#include <vector>

#include "tray_port.h"

// Records the images shown; the first failingAdds adds find no taskbar.
struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    bool AddTrayIcon() override { return ++adds > failingAdds; }
    void ShowBalloon(const std::string&, const std::string&) override {}
    std::vector<TrayImage> images;
    int failingAdds = 0;
    int adds = 0;
};
