#include "dialog_port_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

// A worker's requests reach controls that belong to the window's thread,
// which pumps messages meanwhile, as the GUI thread does; texts longer than
// any fixed buffer come back whole.
TEST(Win32DialogPortTest, AWorkersRequestsReachTheWindowsControls) {
    constexpr int kEditId = 1008, kScreenId = 1003, kCheckId = 1005;
    HWND parent = CreateWindowExA(0, "STATIC", "test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const std::pair<const char*, DWORD> children[] = {
        {"EDIT", ES_AUTOHSCROLL}, {"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL}, {"BUTTON", BS_AUTOCHECKBOX}};
    const int ids[] = {kEditId, kScreenId, kCheckId};
    for (int i = 0; i < 3; ++i) {
        CreateWindowExA(0, children[i].first, "", WS_CHILD | WS_VISIBLE | children[i].second, 0, 0, 200, 60, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[i])), nullptr, nullptr);
    }
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
    EXPECT_EQ(seen, longText);
    EXPECT_EQ(SendMessageA(GetDlgItem(parent, kScreenId), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(port.GetCheckState(kCheckId), 1u);
    DestroyWindow(parent);
}
