#include "alerts/tray_animation.h"

void TrayAnimation::RestOn(TrayImage image) {
    rest_ = image;
    if (!running_) tray_.ShowTrayImage(image);
}

void TrayAnimation::Start() {
    running_ = true;
    stopWanted_ = false;
}

void TrayAnimation::Stop() { stopWanted_ = true; }

void TrayAnimation::Advance(bool keepGoing) {
    if (!running_) return;
    TrayImage image = rest_;
    if (stopWanted_ || (frame_ > kLastTimedFrame && !keepGoing)) {
        running_ = false;
        frame_ = 0;
        stopWanted_ = false;
    } else {
        image = frame_ % 2 == 0 ? TrayImage::Alert : rest_;
        ++frame_;
    }
    tray_.ShowTrayImage(image);
}
