#include "dialog_port_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr int kEditId = 1008;
constexpr int kScreenId = 1003;
constexpr int kCheckId = 1005;
constexpr char kWindowClass[] = "VorlaneDialogPortTest";

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

class Win32DialogPortTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        parent = CreateWindowExA(0, kWindowClass, "test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        // A multi-line box reports no change for a set text, so the edit is single-line.
        CreateChild("EDIT", ES_AUTOHSCROLL, kEditId);
        CreateChild("EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, kScreenId);
        CreateChild("BUTTON", BS_AUTOCHECKBOX, kCheckId);
        port.Attach(parent);
        changeCount = 0;
    }
    void TearDown() override { DestroyWindow(parent); }

    void CreateChild(const char* windowClass, DWORD style, int id) {
        CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 60, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }

    // Runs the work on another thread while this one pumps messages, as the GUI thread does.
    void RunOnWorker(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
        });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(1);
        }
        worker.join();
        ASSERT_TRUE(done);
    }

    HWND parent = nullptr;
    Win32DialogPort port;
};

}  // namespace

// Texts longer than any fixed buffer, and a worker's requests carried out by
// the window's own thread, as the main window handles its change notices.
TEST_F(Win32DialogPortTest, AWorkersRequestsAreCarriedOutByTheWindowsThread) {
    const std::string longText(40000, 'x');
    std::string seen;
    RunOnWorker([&] {
        port.SetText(kEditId, longText);
        port.SetText(kScreenId, "line 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\n");
        port.ScrollLines(kScreenId, 2);
        seen = port.GetText(kEditId);
        port.SetChecked(kCheckId, true);
    });
    EXPECT_EQ(seen, longText);
    EXPECT_EQ(changeCount, 1);
    EXPECT_EQ(changeThread, GetCurrentThreadId());
    EXPECT_EQ(SendMessageA(GetDlgItem(parent, kScreenId), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(port.GetCheckState(kCheckId), 1u);
}
