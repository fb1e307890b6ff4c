#pragma once
#include <string>

// The running executable's full path, however long it is.
std::wstring ModuleFileName();
