#include "local_files.h"

#include <memory>

namespace {

constexpr std::size_t kChunkSize = 1 << 16;

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, CloseFile>;

}  // namespace

std::size_t LocalFiles::AppendToFile(const std::string& path, std::string_view bytes) {
    // Binary, so the lines' "\r\n" reach the file unchanged on every platform.
    OpenFile file(OpenLocalFile(path, "ab"));
    if (!file) return 0;
    // Unbuffered, so the count is what the file really took.
    if (std::setvbuf(file.get(), nullptr, _IONBF, 0) != 0) return 0;
    return std::fwrite(bytes.data(), 1, bytes.size(), file.get());
}

bool LocalFiles::WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = OpenLocalFile(path, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // The close writes what the buffer still holds, and may fail doing so.
    return std::fclose(file) == 0 && written;
}

bool LocalFiles::CanReadFile(const std::string& path) { return OpenFile(OpenLocalFile(path, "rb")) != nullptr; }

FileReadResult LocalFiles::ReadFileInChunks(const std::string& path,
                                            const std::function<bool(std::string_view)>& reader) {
    OpenFile file(OpenLocalFile(path, "rb"));
    if (!file) return LastOpenFailure();
    std::string chunk(kChunkSize, '\0');
    for (;;) {
        const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (count == 0 || !reader(std::string_view(chunk.data(), count))) break;
    }
    return {};
}
