#include "mainwindow/tray_icon_keeper.h"

#include "resource_ids.h"

void TrayIconKeeper::AddIcon() {
    if (tray_.AddTrayIcon()) {
        system_.KillTimer(TRAY_RETRY_TIMER_ID);
        if (added_) added_();
    } else {
        system_.StartTimer(TRAY_RETRY_TIMER_ID, TRAY_RETRY_PERIOD_MS);
    }
}

bool TrayIconKeeper::OnTimer(unsigned timerId) {
    if (timerId != TRAY_RETRY_TIMER_ID) return false;
    AddIcon();
    return true;
}
