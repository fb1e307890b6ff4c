#include "message_box_win32.h"

#include <commdlg.h>

#include "module_file_win32.h"
#include "unicode_text_win32.h"

namespace {

std::wstring ReadApplicationTitle() {
    wchar_t title[MAX_PATH + 1] = {};
    if (GetFileTitleW(ModuleFileName().c_str(), title, MAX_PATH) != 0) return std::wstring();
    return title;
}

}  // namespace

std::string ApplicationTitle() {
    static const std::string title = Utf8FromWide(ReadApplicationTitle());
    return title;
}

MessageAnswer ShowApplicationMessage(HWND owner, const std::string& text, MessageButtons buttons) {
    const UINT style = MB_ICONEXCLAMATION | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    const int answer =
        MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(ApplicationTitle()).c_str(), style);
    if (answer == IDYES) return MessageAnswer::Yes;
    if (answer == IDNO) return MessageAnswer::No;
    return MessageAnswer::Ok;
}
