#pragma once
#include <string>

// What one log page adds: the lines for the screen and for router.log,
// each line ending in "\r\n".
struct LogUpdate {
    std::string displayText;
    std::string fileText;
    bool opensWithMissedEntries = false;  // such an update is shown whatever the filter
};
