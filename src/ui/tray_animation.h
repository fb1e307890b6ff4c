#pragma once
#include "app/dialog_port.h"
#include "app/monitor_state.h"

enum class TrayImage { Normal, Alert };

// The notification-area icon as the animation sees it.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void ShowTrayImage(TrayImage image) = 0;
};

// Frames 0..kLastTimedFrame blink by themselves; past it only check box 1001 keeps them going.
inline constexpr int kLastTimedFrame = 30;

// One tick of the blinking alert icon.
void AdvanceTrayAnimation(MonitorState& state, DialogPort& dialog, TrayPort& tray);

// Starts the blinking, or keeps a running one without lengthening it.
void StartTrayAnimation(MonitorState& state);
