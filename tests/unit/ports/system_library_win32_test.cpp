#include "system_library_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "module_file_win32.h"

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0) + L'\\';
}

}  // namespace

// A winmm.dll beside the executable, as a download folder may hold, is passed over.
TEST(SystemLibraryTest, LoadsFromTheSystemFolderOnly) {
    ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr) << "loaded before the test: it would prove nothing";
    const std::wstring planted = Folder(ModuleFileName()) + L"winmm.dll";
    ASSERT_TRUE(CopyFileW((SystemFolder() + L"winmm.dll").c_str(), planted.c_str(), FALSE));

    EXPECT_NE(SystemProcedure(L"winmm.dll", "PlaySoundW"), nullptr);
    const std::wstring loaded = ModuleFileName(GetModuleHandleW(L"winmm.dll"));
    EXPECT_EQ(lstrcmpiW(Folder(loaded).c_str(), SystemFolder().c_str()), 0) << loaded;
    EXPECT_EQ(SystemProcedure(L"winmm.dll", "NoSuchProcedure"), nullptr);
    EXPECT_EQ(SystemProcedure(L"no-such-library.dll", "PlaySoundW"), nullptr);
    DeleteFileW(planted.c_str());
}
