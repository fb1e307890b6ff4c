#pragma once
#include <string>
#include <string_view>

#include "file_port.h"

// Adds the text at the end of router.log, creating it when missing and never
// truncating it. Failures are silent: the screen already shows the lines.
void AppendToLogFile(FilePort& files, const std::string& path, std::string_view text);
