#pragma once
#include <windows.h>

// The tooltip control of the main window with a tip for each control that
// has one. Null when the control could not be created (the user was told).
HWND CreateMainWindowTooltips(HINSTANCE instance, HWND mainWindow);
