#include "main_window_tooltips_gui.h"

#include <commctrl.h>

#include "message_box_win32.h"
#include "resource_ids.h"

namespace {

constexpr char kCannotCreateTooltipText[] = "Unable To create ToolTip\n";
constexpr int kMaxTipWidth = 300;

struct ControlTip {
    int controlId;
    const char* text;
};

// In the order the tools are registered.
constexpr ControlTip kControlTips[] = {
    {IDC_START_STOP, "Use to start and stop the monitoring of the remote router"},
    {IDC_PASSWORD,
     "This should specify the router Administrator password\r\nIf this field is empty no automatic login will be "
     "done\r\nDefault: vesto"},
    {IDC_LAUNCH_AT_STARTUP, "Check this box to automatically start this program\r\nat Windows boot time"},
    {IDC_STATUS_LINE, "This window will show the status of the current session"},
    {IDC_AUTO_START, "Check this box to have the session automatically start when the program is launch"},
    {IDC_KEEP_ANIMATION,
     "If this checkbox is selected the system tray animation alert will run until a left-click is done on "
     "it\nOtherwise it will only run for a few seconds"},
    {IDC_ONLY_INTRUSION, "If this checkbox is selected, only the intrusion attempts information will be log"},
    {IDC_LOG_SCREEN, "The main log screen"},
    {IDC_ROUTER_ADDRESS, "This should specify the router IP address\r\n(default: 192.168.123.254:80)"},
    {IDC_REFRESH_RATE, "This should specify the time intervalle between\r\neach requests to the router"},
    {IDC_LOG_TO_FILE,
     "Set this checkbox to have the log information written to disk\r\nThe name of the output file is "
     "'router.log' located in the folder where this program is located"},
    {IDC_ALERT,
     "Set this checkbox to have a sound played when an intrusion attempt is detected\r\nTo have a different "
     "sound, place any wav file with the name 'intruder.wav' in the folder where this program is located"},
    {IDC_DELETE_LOG_FILE, "Click here to delete the log file"},
    {IDC_CLEAR_SCREEN, "Click here to reset the log screen"},
    {IDC_GET_IT_NOW, "Click here to get the router information now\r\n(bypassing the normal session interval)"},
    {IDC_OPEN_LOG_FILE, "Click here to open the log file"},
    {IDC_SHUTDOWN, "Shutdown/Exit/Kill this program"},
    {IDOK, "Put this program in the background"},
    {IDC_CHOOSE_EXTERNAL, "Click here to choose your external program"},
    {IDC_LAUNCH_EXTERNAL, "Click here to manually launch your external program"},
    {IDC_AUTOFILL,
     "Set this checkbox to have the argument box automatically filled with the first 'Unrecognized access' "
     "address"},
    {IDC_EXTERNAL_ARGUMENT,
     "The argument pass to the external program\r\nUse the '%%' wildcard to have the last log paragraphe pass "
     "as argument"},
    {IDC_AUTO_LAUNCH,
     "Set this checkbox to have the external program automatically launch (with the argument) when an "
     "intrusion occurs"},
    {IDC_REMEMBER_DATE,
     "Set this checkbox to only log out the events dated after the last remembered date/time (from session to "
     "session)"},
    {IDC_SHOW_STATUS, "Click here to show the Router status information box"},
    {IDC_SHORT_FORMAT, "Short Date/time format for display and log file (yyyy/mm/dd - HH:mm)"},
    {IDC_LONG_FORMAT, "Long Date/time format for display and log file"},
    {IDC_WINDOWS_FORMAT, "Standard date/time format for display and log file"},
};

void AddControlTip(HWND tooltip, HWND mainWindow, const ControlTip& tip) {
    TTTOOLINFOA tool = {};
    // The form every comctl32 version accepts.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    // No TTF_SUBCLASS: the message loop relays the mouse messages already,
    // and a subclassed tool would reach the tooltip twice with each one.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(mainWindow, tip.controlId));
    tool.lpszText = const_cast<char*>(tip.text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

HWND CreateMainWindowTooltips(HINSTANCE instance, HWND mainWindow) {
    const HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mainWindow,
                                         nullptr, instance, nullptr);
    if (tooltip == nullptr) {
        ShowApplicationMessage(mainWindow, kCannotCreateTooltipText, MessageButtons::Ok);
        return nullptr;
    }
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    for (const ControlTip& tip : kControlTips) AddControlTip(tooltip, mainWindow, tip);
    SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
    return tooltip;
}
