#pragma once
#include <windows.h>

inline constexpr DWORD kWaitStepMs = 20;

// Tests the condition until it holds or the time is up; true when it held.
template <typename Condition>
bool WaitUntil(DWORD timeoutMs, Condition condition) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(kWaitStepMs);
    }
}
