#include <windows.h>
#include <commctrl.h>

#include <new>

#include "message_box_win32.h"
#include "resource_ids.h"
#include "main_window_gui.h"
#include "system_library_win32.h"

namespace {

constexpr char kCannotAllocateText[] = "Error Creating Dialog Object";
constexpr char kCannotCreateText[] = "Error creating Dialog";

// The process-wide application: one copy per desktop, the hidden main
// window, and the message loop.
class RouterMonitorApp {
public:
    explicit RouterMonitorApp(HINSTANCE instance) : instance_(instance) {}

    bool Start();
    int Run();

private:
    HINSTANCE instance_;
    // Never freed: the process ends with it alive.
    MainWindow* mainWindow_ = nullptr;
};

// By class and title: a window of another program may bear the title.
bool BringRunningCopyForward() {
    const HWND running = FindWindowA(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE);
    if (running == nullptr) return false;
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

void RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

// The class named in the main window's template: a dialog's, under a name of its own.
void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_SAVEBITS;
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_NORMAL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    // Should it fail, creating the window fails and says so.
    RegisterClassExA(&windowClass);
}

// Before anything loads a DLL: one that is not among Windows' known DLLs
// would be looked for beside the executable first. Looked up rather than
// imported: a Windows 7 without update KB2533623 lacks it and would refuse
// to start the program.
void LoadDllsFromSystemFolderOnly() {
    using SetDirectoriesFunction = decltype(SetDefaultDllDirectories);
    auto* setDirectories = SystemFunction<SetDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDirectories != nullptr) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool RouterMonitorApp::Start() {
    if (BringRunningCopyForward()) return false;
    RegisterCommonControls();
    RegisterMainWindowClass(instance_);
    mainWindow_ = new (std::nothrow) MainWindow(instance_);
    if (mainWindow_ == nullptr) {
        ShowApplicationMessage(nullptr, kCannotAllocateText, MessageButtons::Ok);
        return false;
    }
    if (!mainWindow_->Create()) {
        ShowApplicationMessage(nullptr, kCannotCreateText, MessageButtons::Ok);
        return false;
    }
    // Minimising hides the window: only the tray icon shows.
    ShowWindow(mainWindow_->Window(), SW_MINIMIZE);
    return true;
}

int RouterMonitorApp::Run() {
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (mainWindow_->PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadDllsFromSystemFolderOnly();
    static RouterMonitorApp application(instance);
    if (!application.Start()) return 0;
    return application.Run();
}
