#include "message_box_win32.h"

#include <commdlg.h>

namespace {

std::string ReadApplicationTitle() {
    char path[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0) return std::string();
    char title[MAX_PATH + 1] = {};
    if (GetFileTitleA(path, title, sizeof title) != 0) return std::string();
    return title;
}

}  // namespace

std::string ApplicationTitle() {
    static const std::string title = ReadApplicationTitle();
    return title;
}

MessageAnswer ShowApplicationMessage(HWND owner, const std::string& text, MessageButtons buttons) {
    const UINT style = MB_ICONEXCLAMATION | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    const int answer = MessageBoxA(owner, text.c_str(), ApplicationTitle().c_str(), style);
    if (answer == IDYES) return MessageAnswer::Yes;
    if (answer == IDNO) return MessageAnswer::No;
    return MessageAnswer::Ok;
}
