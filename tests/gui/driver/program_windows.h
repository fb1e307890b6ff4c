#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "resource_ids.h"

// The program under test is known by its main window's title; every other
// window the driver touches must belong to the same process.
inline constexpr char kMainWindowTitle[] = MAIN_WINDOW_TITLE;

// Time any one window request may take before the driver calls the program hung.
inline constexpr UINT kRequestTimeoutMs = 5000;

HWND FindMainWindow();
// A top-level window of the main window's process with exactly this title.
HWND FindProgramWindow(const std::string& title);
// Every top-level window, of any process, with exactly this title.
std::vector<HWND> TopLevelWindowsTitled(const std::string& title);
DWORD ProcessOf(HWND window);
std::string ClassNameOf(HWND window);
// A top-level window's caption as the system keeps it; asks nothing of the window.
std::string CaptionOf(HWND window);
// The text as the window itself reports it (WM_GETTEXT), which for an edit
// box is its content; the caption cache of another process would not be.
std::string WindowText(HWND window);
bool SetWindowTextOf(HWND window, const std::string& text);
// A visible message box of the program: a dialog of its process that is
// none of the program's own windows.
HWND FindMessageBox(DWORD process);
