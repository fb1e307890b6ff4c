#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim_settings.h"

// How the last answer with generated calls went.
struct GeneratedAnswer {
    unsigned long long sentBytes = 0;  // in whole chunks handed to the connection
    bool whole = false;                // false: the client went away first
};

// The simulator's shared state; connection threads read snapshots of it and
// control requests change it.
class SimState {
public:
    explicit SimState(std::string recordPath);

    SimSettings Snapshot() const;
    void Update(const std::function<void(SimSettings&)>& change);
    void ResetSettings();

    // Raw bytes of each router request, kept in memory and appended to the record file.
    void RecordRequest(const std::string& raw);
    std::vector<std::string> RecordedRequests() const;
    void ClearRecordedRequests();

    void CountConnection();
    int ConnectionCount() const;

    void StartGeneratedAnswer();
    void EndGeneratedAnswer(GeneratedAnswer answer);
    // Waits up to limitMs for an answer still being sent; nothing when none
    // has ended by then.
    std::optional<GeneratedAnswer> LastGeneratedAnswer(int limitMs) const;

    SimClock::time_point StartTime() const { return start_; }

private:
    mutable std::mutex mutex_;
    SimSettings settings_;
    std::vector<std::string> requests_;
    int connections_ = 0;
    bool generating_ = false;
    std::optional<GeneratedAnswer> generated_;
    mutable std::condition_variable generatedEnd_;
    std::string recordPath_;
    SimClock::time_point start_;
};
