// Stands in for an earlier version of the program, whose main window was a
// plain dialog (class #32770) with the program's title: hidden, it ends at
// the tray menu's Shutdown command. Writes earlier_copy.ready beside itself
// once its window exists.
#include <windows.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == ID_TRAY_SHUTDOWN) {
        DestroyWindow(window);
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

// A dialog template in memory: no menu, the dialog class, the title, no controls.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    words.push_back(0);
    words.push_back(0);
    for (const char c : std::string(MAIN_WINDOW_TITLE)) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
    head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head->cx = 120;
    head->cy = 40;
    return words;
}

void MarkReady() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring ready(path);
    ready = ready.substr(0, ready.find_last_of(L'\\') + 1) + L"earlier_copy.ready";
    const HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::vector<WORD> words = DialogTemplate();
    const HWND window = CreateDialogIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr,
                                                   DialogProc, 0);
    if (window == nullptr) return 1;
    MarkReady();
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
