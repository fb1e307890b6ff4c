#include "system_library_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "module_file_win32.h"

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

}  // namespace

// A copy of winmm.dll beside the executable, as a download folder may hold, is passed over.
TEST(SystemLibraryTest, LoadsFromTheSystemFolderOnly) {
    ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr) << "loaded before the test: it would prove nothing";
    wchar_t systemFolder[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(systemFolder, MAX_PATH), 0u);
    const std::wstring planted = Folder(ModuleFileName()) + L"winmm.dll";
    ASSERT_TRUE(CopyFileW((std::wstring(systemFolder) + L"\\winmm.dll").c_str(), planted.c_str(), FALSE));

    EXPECT_NE(SystemProcedure(L"winmm.dll", "PlaySoundW"), nullptr);
    const std::wstring loaded = ModuleFileName(GetModuleHandleW(L"winmm.dll"));
    EXPECT_EQ(lstrcmpiW(Folder(loaded).c_str(), (std::wstring(systemFolder) + L"\\").c_str()), 0) << loaded;
    DeleteFileW(planted.c_str());
}
