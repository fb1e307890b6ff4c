#pragma once
#include <windows.h>

#include <string>

// The full path of a loaded module (the running executable by default), however long it is.
std::wstring ModuleFileName(HMODULE module = nullptr);
