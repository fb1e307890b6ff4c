#pragma once
#include <string>

// The argument template with its first "%%" replaced by the latest lines.
std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph);
