#pragma once
#include <cstdio>

#include "file_port.h"

// The files of this computer, through the C library natively and through
// the wide-character calls on Windows.
class LocalFiles : public FilePort {
public:
    std::size_t AppendToFile(const std::string& path, std::string_view bytes) override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    bool CanReadFile(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    FileReadResult ReadFileInChunks(const std::string& path,
                                    const std::function<bool(std::string_view)>& reader) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
};

// The platform's side: opens a file by its UTF-8 path, as std::fopen does.
std::FILE* OpenLocalFile(const std::string& path, const char* mode);
// Why the last OpenLocalFile of this thread failed.
FileReadResult LastOpenFailure();
