#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The program's files (router.log, intruder.wav), by UTF-8 path.
class FilePort {
public:
    virtual ~FilePort() = default;

    // Adds the bytes at the end of the file, creating it when missing and
    // never truncating it. Returns how many of them, from the first, reached
    // the file: fewer than all when it cannot be opened or the disk is full.
    virtual std::size_t AppendToFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool CanReadFile(const std::string& path) = 0;
    // False also when there was no such file.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Hands the file to the reader in chunks, in order, until its end or
    // until the reader returns false. False when it cannot be opened.
    virtual bool ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& reader) = 0;
};
