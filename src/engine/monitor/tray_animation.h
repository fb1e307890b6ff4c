#pragma once
#include "dialog_port.h"
#include "monitor_state.h"
#include "tray_port.h"

// Frames 0..kLastTimedFrame blink by themselves; past it only check box 1001 keeps them going.
inline constexpr int kLastTimedFrame = 30;

// One tick of the blinking alert icon.
void AdvanceTrayAnimation(MonitorState& state, DialogPort& dialog, TrayPort& tray);

// Starts the blinking, or keeps a running one without lengthening it.
void StartTrayAnimation(MonitorState& state);
