#pragma once
#include <string>

// Log entries as lines for the screen and for router.log, each line ending
// in "\r\n".
struct RenderedLines {
    std::string displayText;
    std::string fileText;
};
