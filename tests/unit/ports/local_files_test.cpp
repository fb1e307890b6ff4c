#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "local_files.h"

namespace fs = std::filesystem;

namespace {

// A folder named in Cyrillic: every call must reach the file by its UTF-8 path.
class LocalFilesTest : public testing::Test {
protected:
    // A name of its own for each run: other test runs may share the folder.
    LocalFilesTest()
        : folder_(fs::temp_directory_path() /
                  (fs::path(u8"vorlane-\u043f\u0430\u043f\u043a\u0430-") += std::to_string(std::random_device{}()))) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    ~LocalFilesTest() override { fs::remove_all(folder_); }

    std::string PathOf(const char* name) const {
        const std::u8string path = (folder_ / name).u8string();
        return std::string(path.begin(), path.end());
    }

    LocalFiles files;

private:
    fs::path folder_;
};

}  // namespace

TEST_F(LocalFilesTest, AppendReadAndRemoveInAFolderOfAnyScript) {
    const std::string log = PathOf("router.log");
    EXPECT_FALSE(files.CanReadFile(log));
    ASSERT_EQ(files.AppendToFile(log, "one\r\n"), 5u);
    ASSERT_EQ(files.AppendToFile(log, std::string("tw\0o\r\n", 6)), 6u);
    EXPECT_TRUE(files.CanReadFile(log));
    std::string read;
    const auto readAll = [&](std::string_view chunk) {
        read.append(chunk);
        return true;
    };
    ASSERT_EQ(files.ReadFileInChunks(log, readAll).outcome, FileReadResult::Outcome::Read);
    EXPECT_EQ(read, std::string("one\r\ntw\0o\r\n", 11));
    EXPECT_EQ(files.FileSize(log), 11u);
    ASSERT_TRUE(files.WriteWholeFile(log, "whole"));  // replaces, never appends
    EXPECT_EQ(files.FileSize(log), 5u);
    EXPECT_FALSE(files.WriteWholeFile(PathOf("missing folder/x.csv"), "x"));
    EXPECT_TRUE(files.RemoveFile(log));
    EXPECT_FALSE(files.RemoveFile(log));
    EXPECT_EQ(files.ReadFileInChunks(log, readAll).outcome, FileReadResult::Outcome::Missing);
    EXPECT_FALSE(files.FileSize(log));
}
