#include "main_window_gui.h"

#include <commctrl.h>
#include <windowsx.h>

#include "resource_ids.h"
#include "about_dialog_gui.h"
#include "control_event_gui.h"
#include "main_window_tooltips_gui.h"
#include "window_geometry.h"

namespace {

constexpr char kTaskbarCreatedMessage[] = "TaskbarCreated";
constexpr char kCannotCreateStatusText[] = "Error creating Status Modeless";
constexpr char kCannotCreateSyslogText[] = "Error creating Syslog window";
constexpr int kAboutStringBuffer = 256;
constexpr int kFirstClipFrame = 0;
constexpr int kFirstRunningFrame = 1;
constexpr int kLastClipFrame = 0xFFFF;
constexpr int kRepeatForever = -1;

TrayMouseEvent TrayMouseEventOf(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN: return TrayMouseEvent::LeftDown;
    case WM_LBUTTONDBLCLK: return TrayMouseEvent::LeftDoubleClick;
    case WM_RBUTTONDOWN: return TrayMouseEvent::RightDown;
    case NIN_BALLOONUSERCLICK: return TrayMouseEvent::BalloonClick;
    case WM_MOUSEMOVE: return TrayMouseEvent::Move;
    default: return TrayMouseEvent::Other;
    }
}

void PlayClip(HWND animation, int repeat, int from, int to) {
    SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(repeat), MAKELPARAM(from, to));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : instance_(instance),
      largeIcon_(LoadIconA(instance, MAKEINTRESOURCEA(IDI_NORMAL))),
      taskbarCreatedMessage_(RegisterWindowMessageA(kTaskbarCreatedMessage)),
      system_(instance),
      tray_(instance),
      statusDialog_(IDD_ROUTER_STATUS, kCannotCreateStatusText),
      syslogDialog_(IDD_SYSLOG, kCannotCreateSyslogText),
      engine_(MainWindowPorts{mainDialogPort_, statusDialogPort_, intrudersDialogPort_, syslogDialogPort_, system_,
                              files_, registry_, protection_, *this, statusDialog_, intrudersDialog_, syslogDialog_,
                              tray_}) {
    statusDialog_.SetHandler([this](int controlId, ControlEvent event) {
        if (event == ControlEvent::Clicked) engine_.OnRouterStatusCommand(controlId);
    });
    intrudersDialog_.SetEngine(engine_);
    syslogDialog_.SetHandler([this](int controlId, ControlEvent event) { engine_.OnSyslogCommand(controlId, event); });
}

bool MainWindow::Create() {
    window_ = CreateDialogParamA(instance_, MAKEINTRESOURCEA(IDD_MAIN), nullptr, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    return window_ != nullptr;
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self == nullptr ? FALSE : self->HandleMessage(message, wParam, lParam);
}

INT_PTR MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: engine_.OnCommand(LOWORD(wParam), ControlEventOf(HIWORD(wParam))); return TRUE;
    case WM_TIMER: engine_.OnTimer(static_cast<unsigned>(wParam)); return TRUE;
    case WM_TRAY_CALLBACK: engine_.OnTrayNotify(TrayMouseEventOf(lParam)); return TRUE;
    case WM_AUTO_START: engine_.OnAutoStartRequest(); return TRUE;
    case kRunPostedTaskMessage: RunPostedTask(lParam); return TRUE;
    case WM_CLOSE:
        // The default close then issues the cancel command, which hides the window.
        engine_.OnMainWindowClosing();
        return FALSE;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) engine_.OnMainWindowMinimized();
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
        ShowAboutBox();
        return TRUE;
    case WM_PAINT: return PaintIconWhenMinimised();
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(largeIcon_);
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return FALSE;
    case WM_ENDSESSION: engine_.OnEndSession(wParam != FALSE); return TRUE;
    case WM_DESTROY: ReleaseWindowResources(); return FALSE;
    default:
        if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) engine_.OnTaskbarCreated();
        return FALSE;
    }
}

BOOL MainWindow::OnInitDialog() {
    // The engine starts with no session, no poll and no animation.
    mainDialogPort_.Attach(window_);
    system_.SetMainWindow(window_);
    AddAboutItemToSystemMenu();
    OpenSessionClip();
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    toolTip_ = CreateMainWindowTooltips(instance_, window_);
    tray_.BuildMenu();
    tray_.Prepare(window_);
    engine_.AddTrayIcon();
    // Before the options load: they place it, and the read of router.log fills it.
    if (intrudersDialog_.Create(instance_)) intrudersDialogPort_.Attach(intrudersDialog_.Window());
    if (engine_.LoadOptions()) PostMessageA(window_, WM_AUTO_START, 0, 0);
    if (statusDialog_.Create(instance_)) statusDialogPort_.Attach(statusDialog_.Window());
    if (syslogDialog_.Create(instance_)) syslogDialogPort_.Attach(syslogDialog_.Window());
    return TRUE;
}

void MainWindow::AddAboutItemToSystemMenu() {
    const HMENU systemMenu = GetSystemMenu(window_, FALSE);
    char aboutItem[kAboutStringBuffer] = {};
    if (systemMenu == nullptr || LoadStringA(instance_, IDS_ABOUTBOX, aboutItem, kAboutStringBuffer) <= 0) return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
}

void MainWindow::OpenSessionClip() {
    const HWND animation = GetDlgItem(window_, IDC_SESSION_ANIMATION);
    SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(instance_),
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_SESSION_CLIP)));
    PlayClip(animation, 0, kFirstRunningFrame, kFirstRunningFrame);
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (!BelongsToMainWindow(message.hwnd)) return IsOtherWindowMessage(message);
    if (toolTip_ != nullptr) SendMessageA(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    if (message.message == WM_LBUTTONDOWN) engine_.OnLeftButtonDown();
    // For a control's mouse message this dispatches it: a double-click has selected its word on return.
    const bool handled = IsDialogMessageA(window_, &message);
    if (message.message == WM_LBUTTONDBLCLK && message.hwnd == GetDlgItem(window_, IDC_LOG_SCREEN)) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(message.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        engine_.OnLogScreenDoubleClick(start, end);
    }
    return handled;
}

// The keyboard of the two other windows: Tab, Enter and Escape.
bool MainWindow::IsOtherWindowMessage(MSG& message) {
    for (const HWND window : {statusDialog_.Window(), intrudersDialog_.Window(), syslogDialog_.Window()}) {
        if (window != nullptr && IsDialogMessageA(window, &message)) return true;
    }
    return false;
}

bool MainWindow::BelongsToMainWindow(HWND window) const {
    return window_ != nullptr && (window == window_ || IsChild(window_, window));
}

void MainWindow::OnLeftButtonDown(LPARAM lParam) {
    RECT clip = {};
    GetWindowRect(GetDlgItem(window_, IDC_SESSION_ANIMATION), &clip);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&clip), 2);
    const WindowRect area{clip.left, clip.top, clip.right, clip.bottom};
    // The clip lets clicks through to the window, so a click on it arrives here.
    if (IsStrictlyInside(area, WindowPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) engine_.OnAnimationClicked();
}

bool MainWindow::PaintIconWhenMinimised() {
    if (!IsIconic(window_)) return false;
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(window_, &paint);
    SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    GetClientRect(window_, &client);
    const WindowPoint origin = CenteredIconOrigin(client.right - client.left, client.bottom - client.top,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, origin.x, origin.y, largeIcon_);
    EndPaint(window_, &paint);
    return true;
}

void MainWindow::ReleaseWindowResources() {
    if (resourcesReleased_) return;
    resourcesReleased_ = true;
    engine_.SaveOptionsAndFinish();
    tray_.Remove();
    tray_.DestroyMenu();
    // Destroyed by any other path, the program still ends, with code 0.
    PostQuitMessage(0);
}

void MainWindow::RestoreAndBringForward() {
    ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
}

void MainWindow::Hide() { ShowWindow(window_, SW_HIDE); }

bool MainWindow::ArgumentHasFocus() { return GetFocus() == GetDlgItem(window_, IDC_EXTERNAL_ARGUMENT); }

void MainWindow::PlaySessionAnimation(bool play) {
    const HWND animation = GetDlgItem(window_, IDC_SESSION_ANIMATION);
    if (play) {
        PlayClip(animation, kRepeatForever, kFirstRunningFrame, kLastClipFrame);
        return;
    }
    SendMessageA(animation, ACM_STOP, 0, 0);
    PlayClip(animation, 0, kFirstClipFrame, kFirstClipFrame);
}

void MainWindow::ShowTrayMenu(bool popupOnIntrusion, bool popupOnTrouble) {
    tray_.ShowMenu(popupOnIntrusion, popupOnTrouble);
}

void MainWindow::ShowAboutBox() { ShowAboutDialog(instance_, window_); }

void MainWindow::ShutdownApplication() {
    // The destroy step saves the options, lets router.log take its waiting
    // lines and removes the icon; a running poll is abandoned.
    DestroyWindow(window_);
    ExitProcess(0);
}
