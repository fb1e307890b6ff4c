#pragma once
#include <windows.h>

// Windows looks for a DLL that is not one of its known DLLs beside the
// executable first, so a file dropped there (a Downloads folder, a portable
// copy) would run as ours. Such DLLs are therefore never imported: their
// procedures come from here, loaded from the system folder only.

// The procedure of one of Windows' own DLLs; null when the DLL or the
// procedure is missing, and the feature that wanted it does nothing.
FARPROC SystemProcedure(const wchar_t* dllName, const char* procedureName);

template <typename Function>
Function* SystemFunction(const wchar_t* dllName, const char* procedureName) {
    // Through the one function pointer type every other converts from without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemProcedure(dllName, procedureName)));
}
