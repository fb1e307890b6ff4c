#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "intruders/intrusion_report.h"
#include "logpage/rendered_lines.h"

// One entry of a log update, as its source read it.
struct LogRecord {
    std::optional<std::int32_t> time;  // when it happened; none for a line without a time
    std::string message;               // the entry's text
    bool intrusion = false;            // reports an intrusion attempt: it alerts, and passes "Log intrusion only"
    std::optional<IntrusionReport> attempt;  // the attempt's address, protocol and port, where the text names them
};

// What a log source adds in one go: its records, and the same as lines for
// the screen and router.log.
struct LogUpdate {
    std::vector<LogRecord> records;
    // One line a record, after the missed-entries line when there is one.
    RenderedLines lines;
    // The update says entries went missing: it is shown whatever the filter.
    bool opensWithMissedEntries = false;
    // "Log intrusion only" as the source chose the records with it.
    bool onlyIntrusion = false;

    bool HoldsIntrusion() const;
};

// An entry's record: whether it reports an intrusion, and the attempt it names.
LogRecord RecordOf(std::optional<std::int32_t> time, std::string message);
