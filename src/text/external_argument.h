#pragma once
#include <string>

// The argument template with its first "%%" replaced by the latest lines,
// in which every character a command interpreter acts on (& | < > ^ % ! "
// and the control characters other than CR and LF) has become '_'. The
// template itself, typed by the user, stays as it is.
std::string SubstituteLastParagraph(const std::string& argumentTemplate, const std::string& lastParagraph);
