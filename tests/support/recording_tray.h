#pragma once
#include <mutex>
#include <string>
#include <vector>

#include "tray_port.h"

// Records the images shown; the first failingAdds adds find no taskbar.
struct RecordingTray : TrayPort {
    void ShowTrayImage(TrayImage image) override { images.push_back(image); }
    bool AddTrayIcon() override { return ++adds > failingAdds; }
    void ShowBalloon(const std::string& title, const std::string& text) override {
        const std::lock_guard lock(mutex);
        balloons.push_back(title + "|" + text);
    }
    std::mutex mutex;
    std::vector<std::string> balloons;  // "title|text", under mutex
    std::vector<TrayImage> images;
    int failingAdds = 0;
    int adds = 0;
};
