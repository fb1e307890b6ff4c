#pragma once
#include <functional>
#include <utility>

#include "system_port.h"
#include "tray_port.h"

// Keeps the notification-area icon there. Started with Windows, the program
// may run before the taskbar exists; without the icon the user could not
// reach it at all, so a refused add is tried again on a timer.
class TrayIconKeeper {
public:
    // added is told each time the icon went in.
    TrayIconKeeper(TrayPort& tray, SystemPort& system, std::function<void()> added = {})
        : tray_(tray), system_(system), added_(std::move(added)) {}

    // At start, and whenever the taskbar is created again.
    void AddIcon();
    // Whether the timer was the retry's.
    bool OnTimer(unsigned timerId);

private:
    TrayPort& tray_;
    SystemPort& system_;
    std::function<void()> added_;
};
