#include "system_port_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

TEST(FileDialogFilterTest, BarsBecomeNulsEndingWithAnEmptyEntry) {
    EXPECT_EQ(FileDialogFilter("Program Files|*.exe;*.com;*.bat|All Files (*.*)|*.*||"),
              std::string("Program Files\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0\0", 53));
    EXPECT_EQ(FileDialogFilter("Text|*.txt"), std::string("Text\0*.txt\0\0", 12));
}

TEST(Win32SystemTest, WorkersRunOnAThreadOfTheirOwn) {
    Win32System system(GetModuleHandleA(nullptr));
    std::atomic<DWORD> workerThread{0};
    system.StartWorker([&] { workerThread = GetCurrentThreadId(); });
    for (int wait = 0; wait < 1000 && workerThread == 0; ++wait) Sleep(5);
    EXPECT_NE(workerThread, 0u);
    EXPECT_NE(workerThread, GetCurrentThreadId());
}

TEST(Win32SystemTest, SystemPathsAndTexts) {
    Win32System system(GetModuleHandleA(nullptr));
    const std::string executable = system.ExecutablePath();
    EXPECT_EQ(executable.substr(executable.size() - 4), ".exe");
    EXPECT_EQ(GetFileAttributesA(system.WindowsDirectory().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(system.SystemMessageText(ERROR_FILE_NOT_FOUND).empty());
}
