#include "logupdate/log_file_append.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>

namespace {

// router.log in memory; each append takes only as many bytes as the next
// budget allows (0: the file cannot be opened), then all of them.
struct ScriptedFiles : FilePort {
    std::size_t AppendToFile(const std::string&, std::string_view bytes) override {
        std::size_t room = budgets.empty() ? bytes.size() : std::min(bytes.size(), budgets.front());
        if (!budgets.empty()) budgets.pop_front();
        file.append(bytes.substr(0, room));
        return room;
    }
    bool CanReadFile(const std::string&) override { return true; }
    bool RemoveFile(const std::string&) override { return true; }
    FileReadResult ReadFileInChunks(const std::string&, const std::function<bool(std::string_view)>&) override { return {}; }
    std::optional<std::uint64_t> FileSize(const std::string&) override { return std::nullopt; }

    std::deque<std::size_t> budgets;
    std::string file;
};

}  // namespace

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
