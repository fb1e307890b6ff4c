#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sim_settings.h"

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

    SimClock::time_point StartTime() const { return start_; }

private:
    mutable std::mutex mutex_;
    SimSettings settings_;
    std::vector<std::string> requests_;
    int connections_ = 0;
    std::string recordPath_;
    SimClock::time_point start_;
};
