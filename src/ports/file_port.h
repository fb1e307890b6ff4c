#pragma once
#include <functional>
#include <string>
#include <string_view>

// The program's files (router.log, intruder.wav), by UTF-8 path.
class FilePort {
public:
    virtual ~FilePort() = default;

    // Adds the bytes at the end of the file, creating it when missing and
    // never truncating it. False when the file cannot be opened or not every
    // byte was written.
    virtual bool AppendToFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool CanReadFile(const std::string& path) = 0;
    // False also when there was no such file.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Hands the file to the reader in chunks, in order, until its end or
    // until the reader returns false. False when it cannot be opened.
    virtual bool ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& reader) = 0;
};
