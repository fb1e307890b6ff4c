#include "local_files.h"

#include <memory>

namespace {

constexpr std::size_t kChunkSize = 1 << 16;

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, CloseFile>;

}  // namespace

bool LocalFiles::AppendToFile(const std::string& path, std::string_view bytes) {
    // Binary, so the lines' "\r\n" reach the file unchanged on every platform.
    OpenFile file(OpenLocalFile(path, "ab"));
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fflush(file.get()) == 0 && written;
}

bool LocalFiles::CanReadFile(const std::string& path) { return OpenFile(OpenLocalFile(path, "rb")) != nullptr; }

bool LocalFiles::ReadFileInChunks(const std::string& path, const std::function<bool(std::string_view)>& reader) {
    OpenFile file(OpenLocalFile(path, "rb"));
    if (!file) return false;
    std::string chunk(kChunkSize, '\0');
    for (;;) {
        const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (count == 0 || !reader(std::string_view(chunk.data(), count))) break;
    }
    return true;
}
