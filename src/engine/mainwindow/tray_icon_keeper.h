#pragma once
#include "system_port.h"
#include "tray_port.h"

// Keeps the notification-area icon there. Started with Windows, the program
// may run before the taskbar exists; without the icon the user could not
// reach it at all, so a refused add is tried again on a timer.
class TrayIconKeeper {
public:
    TrayIconKeeper(TrayPort& tray, SystemPort& system) : tray_(tray), system_(system) {}

    // At start, and whenever the taskbar is created again.
    void AddIcon();
    // Whether the timer was the retry's.
    bool OnTimer(unsigned timerId);

private:
    TrayPort& tray_;
    SystemPort& system_;
};
