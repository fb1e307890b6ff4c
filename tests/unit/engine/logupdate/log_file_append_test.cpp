#include "logupdate/log_file_append.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/scripted_files.h"


TEST(LogFileAppend, RefusedAndPartialWritesReachTheFileOnceAndInOrder) {
    ScriptedFiles files;
    PendingLogText pending;
    files.budgets = {0, 0, 4, 0};  // held by another program, then a full disk
    std::string expected;
    for (const char* line : {"one\r\n", "two\r\n", "three\r\n", "four\r\n", "five\r\n"}) {
        AppendToLogFile(files, "router.log", line, pending);
        expected += line;
    }
    EXPECT_EQ(files.file, expected);
    // Deleting the file drops what waited for it.
    files.budgets = {0};
    AppendToLogFile(files, "router.log", "six\r\n", pending);
    DropPendingLogText(pending);
    AppendToLogFile(files, "router.log", "seven\r\n", pending);
    EXPECT_EQ(files.file, expected + "seven\r\n");
}

TEST(LogFileAppend, AThousandRefusedUpdatesKeepTheNewestMebibyteAndCountTheRest) {
    ScriptedFiles files;
    PendingLogText pending;
    constexpr int kUpdates = 1000;
    constexpr std::size_t kLineBytes = 2000;
    constexpr int kKept = static_cast<int>(kMaxPendingLogBytes / kLineBytes);  // 524
    std::vector<std::string> lines;
    for (int index = 0; index <= kUpdates; ++index) {
        char head[16];
        std::snprintf(head, sizeof head, "line %04d ", index);
        lines.push_back(std::string(head) + std::string(kLineBytes - 2 - std::string(head).size(), '.') + "\r\n");
    }
    files.budgets.assign(kUpdates, 0);
    for (int index = 0; index <= kUpdates; ++index) AppendToLogFile(files, "router.log", lines[index], pending);

    std::string expected =
        "*** " + std::to_string(kUpdates - kKept) + " log lines could not be written to router.log\r\n";
    for (int index = kUpdates - kKept; index <= kUpdates; ++index) expected += lines[index];
    EXPECT_EQ(files.file, expected);
    AppendToLogFile(files, "router.log", "next\r\n", pending);
    EXPECT_EQ(files.file, expected + "next\r\n");
}
