#pragma once
#include <string>
#include <string_view>

#include "intruders/intruder_table.h"

// Longer lines are no router's text: they are skipped whole, and never kept.
inline constexpr std::size_t kMaxRouterLogLineLength = 4096;

// Takes router.log in chunks of any size, cut anywhere, line by line into
// the table. Lines of the program's own notices ("***") are passed over.
class RouterLogIntruderReader {
public:
    explicit RouterLogIntruderReader(IntruderTable& table);
    void Feed(std::string_view chunk);
    // Reads a last line that has no line end.
    void Finish();

private:
    void Keep(std::string_view piece);
    void EndKeptLine();
    void ReadLine(std::string_view line);

    IntruderTable& table_;
    std::string partial_;  // the start of a line cut by the chunk's end
    bool overlong_ = false;
};
