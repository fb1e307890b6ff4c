#include "tray_icon_gui.h"

#include "resource_ids.h"

namespace {

// Until the options are loaded and the engine says what the icon watches.
constexpr char kFirstTrayTip[] = "Vorlane";
constexpr char kPreferencesItem[] = "Preferences/Screen log...";
constexpr char kViewLogItem[] = "View Log File";
constexpr char kDeleteLogItem[] = "Delete Log File";
constexpr char kPopupItem[] = "Pop-up on intrusion";
constexpr char kPopupOnTroubleItem[] = "Pop-up on trouble";
constexpr char kIntrudersItem[] = "Intruders...";
constexpr char kSyslogItem[] = "Syslog...";
constexpr char kAboutItem[] = "About Vorlane...";
constexpr DWORD kBalloonTimeoutMs = 10000;
constexpr char kShutdownItem[] = "Shutdown";

// The record form whose tip holds 128 characters with its terminator (the
// first form's held 64), and which carries balloons: 488 bytes in a 32-bit program.
static_assert(NOTIFYICONDATAA_V2_SIZE == (sizeof(void*) == 8 ? 504 : 488));
static_assert(sizeof(NOTIFYICONDATAA::szTip) == 128);
// The menu's corner goes a few pixels up and left of the pointer, so that the
// pointer starts on the menu rather than on its edge.
constexpr int kMenuOffset = 5;

DWORD BalloonIconOf(BalloonKind kind) {
    switch (kind) {
    case BalloonKind::Intrusion: return NIIF_WARNING;
    case BalloonKind::Trouble: return NIIF_ERROR;
    case BalloonKind::Notice: break;
    }
    return NIIF_INFO;
}

// The notification area shows small icons: 16 pixels at 96 DPI, more on scaled displays.
HICON LoadTrayIcon(HINSTANCE instance, int resourceId) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

void TrayIcon::BuildMenu() {
    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING, ID_TRAY_PREFERENCES, kPreferencesItem);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_VIEW_LOG, kViewLogItem);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_DELETE_LOG, kDeleteLogItem);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_POPUP, kPopupItem);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_POPUP_TROUBLE, kPopupOnTroubleItem);
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_INTRUDERS, kIntrudersItem);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_SYSLOG, kSyslogItem);
    AppendMenuA(menu_, MF_STRING, ID_ABOUT_COMMAND, kAboutItem);
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, ID_TRAY_SHUTDOWN, kShutdownItem);
}

void TrayIcon::Prepare(HWND mainWindow) {
    watchingIcon_ = LoadTrayIcon(instance_, IDI_NORMAL);
    blindIcon_ = LoadTrayIcon(instance_, IDI_BLIND);
    idleIcon_ = LoadTrayIcon(instance_, IDI_IDLE);
    alertIcon_ = LoadTrayIcon(instance_, IDI_ALERT);
    // Without NIM_SETVERSION the callback's messages stay those of the first form.
    data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data_.hWnd = mainWindow;
    data_.uID = TRAY_ICON_ID;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAY_CALLBACK;
    data_.hIcon = idleIcon_;
    lstrcpynA(data_.szTip, kFirstTrayTip, sizeof data_.szTip);
}

bool TrayIcon::AddTrayIcon() {
    if (data_.hWnd == nullptr) return false;
    // An add refused because the icon is already there is no failure.
    return Shell_NotifyIconA(NIM_ADD, &data_) != FALSE || Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

void TrayIcon::Remove() {
    if (data_.hWnd != nullptr) Shell_NotifyIconA(NIM_DELETE, &data_);
}

void TrayIcon::DestroyMenu() {
    if (menu_ != nullptr) ::DestroyMenu(menu_);
    menu_ = nullptr;
}

void TrayIcon::ShowMenu(bool popupOnIntrusion, bool popupOnTrouble) {
    CheckMenuItem(menu_, ID_TRAY_POPUP, MF_BYCOMMAND | (popupOnIntrusion ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu_, ID_TRAY_POPUP_TROUBLE, MF_BYCOMMAND | (popupOnTrouble ? MF_CHECKED : MF_UNCHECKED));
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(data_.hWnd);
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, cursor.x - kMenuOffset, cursor.y - kMenuOffset, 0, data_.hWnd, nullptr);
    // A tray menu stays open after a click elsewhere unless a message follows it (a known Win32 quirk).
    PostMessageA(data_.hWnd, WM_NULL, 0, 0);
}

void TrayIcon::ShowTrayImage(TrayImage image) {
    switch (image) {
    case TrayImage::Watching: data_.hIcon = watchingIcon_; break;
    case TrayImage::Blind: data_.hIcon = blindIcon_; break;
    case TrayImage::Idle: data_.hIcon = idleIcon_; break;
    case TrayImage::Alert: data_.hIcon = alertIcon_; break;
    }
    Shell_NotifyIconA(NIM_MODIFY, &data_);
}

// Kept in the record, so that an icon added again after the taskbar's restart says it too.
void TrayIcon::SetTip(const std::string& tip) {
    lstrcpynA(data_.szTip, tip.c_str(), sizeof data_.szTip);
    Shell_NotifyIconA(NIM_MODIFY, &data_);
}

void TrayIcon::ShowBalloon(const std::string& title, const std::string& text, BalloonKind kind) {
    // A record of its own, in the form that carries a balloon: workers call
    // this while the GUI thread may be changing the icon's image.
    NOTIFYICONDATAA balloon = {};
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = data_.hWnd;
    balloon.uID = data_.uID;
    balloon.uFlags = NIF_INFO;
    balloon.uTimeout = kBalloonTimeoutMs;
    balloon.dwInfoFlags = BalloonIconOf(kind);
    lstrcpynA(balloon.szInfoTitle, title.c_str(), sizeof balloon.szInfoTitle);
    lstrcpynA(balloon.szInfo, text.c_str(), sizeof balloon.szInfo);
    if (balloon.hWnd != nullptr) Shell_NotifyIconA(NIM_MODIFY, &balloon);
}
