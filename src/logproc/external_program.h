#pragma once
#include <string>

// The argument template with its first "%%" replaced by the latest lines.
std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph);

// Drive and folder of a program path, with the trailing separator ("C:\Tools\").
std::string ProgramFolder(const std::string& programPath);

// Path of a file that sits beside the executable, by its last backslash.
std::string PathBesideExecutable(const std::string& executablePath, const std::string& fileName);
