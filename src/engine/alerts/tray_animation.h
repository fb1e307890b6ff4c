#pragma once
#include "tray_port.h"

// Frames 0..kLastTimedFrame blink by themselves; past it only
// IDC_KEEP_ANIMATION keeps them going.
inline constexpr int kLastTimedFrame = 30;

// The blinking alert icon, over the image of the watch's state, which it
// ends on. GUI thread; the session's timer steps it.
class TrayAnimation {
public:
    explicit TrayAnimation(TrayPort& tray) : tray_(tray) {}

    // The image the icon rests on: shown now, or once the blinking ends.
    void RestOn(TrayImage image);
    // Starts the blinking, or keeps a running one without lengthening it.
    void Start();
    // A click on the icon: the next step ends it.
    void Stop();
    bool Running() const { return running_; }
    // One step; keepGoing is the "Run animation until click" option.
    void Advance(bool keepGoing);

private:
    TrayPort& tray_;
    TrayImage rest_ = TrayImage::Watching;
    bool running_ = false;
    int frame_ = 0;
    bool stopWanted_ = false;
};
