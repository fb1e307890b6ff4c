#include "common/log_update.h"

#include <algorithm>
#include <utility>

#include "intruders/intrusion_recognizer.h"

bool LogUpdate::HoldsIntrusion() const {
    return std::any_of(records.begin(), records.end(), [](const LogRecord& record) { return record.intrusion; });
}

LogRecord RecordOf(std::optional<std::int32_t> time, std::string message) {
    LogRecord record;
    record.time = time;
    record.attempt = RecognizeIntrusion(message);
    record.intrusion = record.attempt || IsIntrusionAttempt(message);
    record.message = std::move(message);
    return record;
}
