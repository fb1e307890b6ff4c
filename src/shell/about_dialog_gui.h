#pragma once
#include <windows.h>

// The About box, modal over its owner.
void ShowAboutDialog(HINSTANCE instance, HWND owner);
