#pragma once
#include <string>
#include <string_view>

// Adds the text at the end of the file, creating it when missing and never
// truncating it. Failures are silent: the screen already shows the lines.
void AppendToLogFile(const std::string& path, std::string_view text);
