#pragma once
#include <string>

// The argument template with its first "%%" replaced by the latest lines.
std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph);

// Path of a file that sits beside the executable, by its last backslash.
std::string PathBesideExecutable(const std::string& executablePath, const std::string& fileName);
