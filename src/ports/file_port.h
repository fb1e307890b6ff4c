#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// How a read went: the file read, no such file, or the system's error code
// of the failed open.
struct FileReadResult {
    enum class Outcome { Read, Missing, Unreadable };
    Outcome outcome = Outcome::Read;
    int errorCode = 0;
};

// The program's files (router.log, intruder.wav, a saved table), by UTF-8 path.
class FilePort {
public:
    virtual ~FilePort() = default;

    // Adds the bytes at the end of the file, creating it when missing and
    // never truncating it. Returns how many of them, from the first, reached
    // the file: fewer than all when it cannot be opened or the disk is full.
    virtual std::size_t AppendToFile(const std::string& path, std::string_view bytes) = 0;
    // Replaces the file's contents with the bytes; false when they did not all get there.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool CanReadFile(const std::string& path) = 0;
    // False also when there was no such file.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Hands the file to the reader in chunks, in order, until its end or
    // until the reader returns false.
    virtual FileReadResult ReadFileInChunks(const std::string& path,
                                            const std::function<bool(std::string_view)>& reader) = 0;
    // Nothing when there is no such file; works on a file held open by another program.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
};
