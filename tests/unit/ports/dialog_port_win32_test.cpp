#include "dialog_port_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

constexpr int kEditId = 1008;
constexpr int kScreenId = 1003;
constexpr int kCheckId = 1005;

// Where EN_CHANGE of the edit box was handled, as the main window would handle it.
std::atomic<DWORD> changeThread{0};
std::atomic<int> changeCount{0};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
        changeThread = GetCurrentThreadId();
        ++changeCount;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateParent() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlaneDialogPortTest";
    RegisterClassA(&windowClass);
    HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    // A multi-line box reports no change for a set text, so the edit is single-line.
    const std::pair<const char*, DWORD> children[] = {
        {"EDIT", ES_AUTOHSCROLL}, {"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL}, {"BUTTON", BS_AUTOCHECKBOX}};
    const int ids[] = {kEditId, kScreenId, kCheckId};
    for (int i = 0; i < 3; ++i) {
        CreateWindowExA(0, children[i].first, "", WS_CHILD | WS_VISIBLE | children[i].second, 0, 0, 200, 60, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), windowClass.hInstance, nullptr);
    }
    return parent;
}

}  // namespace

// Texts longer than any fixed buffer, and a worker's requests carried out by
// the window's own thread (which pumps messages meanwhile, as the GUI thread
// does), as the main window handles its change notices.
TEST(Win32DialogPortTest, AWorkersRequestsAreCarriedOutByTheWindowsThread) {
    HWND parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    Win32DialogPort port(parent);
    const std::string longText(40000, 'x');
    std::string seen;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        port.SetText(kEditId, longText);
        port.SetText(kScreenId, "line 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\n");
        port.ScrollLines(kScreenId, 2);
        seen = port.GetText(kEditId);
        port.SetChecked(kCheckId, true);
        done = true;
    });
    for (const ULONGLONG deadline = GetTickCount64() + 10000; !done && GetTickCount64() < deadline; Sleep(1)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    worker.join();
    ASSERT_TRUE(done);
    EXPECT_EQ(seen, longText);
    EXPECT_EQ(changeCount, 1);
    EXPECT_EQ(changeThread, GetCurrentThreadId());
    EXPECT_EQ(SendMessageA(GetDlgItem(parent, kScreenId), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(port.GetCheckState(kCheckId), 1u);
    DestroyWindow(parent);
}
