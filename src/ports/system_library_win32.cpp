#include "system_library_win32.h"

FARPROC SystemProcedure(const wchar_t* dllName, const char* procedureName) {
    // Never freed: its procedures serve until the process ends.
    const HMODULE library = LoadLibraryExW(dllName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return library != nullptr ? GetProcAddress(library, procedureName) : nullptr;
}
