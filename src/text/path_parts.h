#pragma once
#include <string>
#include <string_view>

// The drive and folder of a path, as the platform's path splitter gives
// them: everything up to the last '\' or '/', or just a leading "X:".
std::string DriveAndDirectory(std::string_view path);

// A file of the given name in the folder of the given file.
std::string PathBeside(std::string_view filePath, std::string_view fileName);
