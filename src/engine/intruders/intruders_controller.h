#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "dialog_port.h"
#include "intruders/intruder_table.h"
#include "intruders/intrusion_report.h"
#include "intruders_window_port.h"
#include "monitor_context.h"

// The intrusion attempts one log update held, for the pop-up.
struct UpdateAttempts {
    std::optional<IntrusionReport> latest;
    std::size_t count = 0;
};

// The Intruders window's behaviour and the table behind it: built from
// router.log once at start, on a worker, and kept up to date by each update.
class IntrudersController {
public:
    IntrudersController(MonitorContext& context, DialogPort& dialog, IntrudersWindowPort& window);

    // Reads router.log as it stands now on a worker; the window says so meanwhile.
    void StartReadingRouterLog();
    // From a poll's worker: the update's attempts go into the table.
    UpdateAttempts RecordUpdate(std::string_view displayText);

    // GUI thread from here on.
    void Open();
    void Close();
    // Shows the table again when the window is visible.
    void Refresh();
    void OnColumnClick(int column);
    void CopySelectedAddress();
    // The selected row's address; empty when there is none.
    std::string SelectedAddress();
    // The layout stored in the state goes to the window, and back at exit.
    void ApplyStoredLayout();
    void RememberLayout();

private:
    void ReadRouterLog(const std::string& path, std::uint64_t limit);
    void FinishReading(const FileReadResult& result);

    MonitorContext& context_;
    DialogPort& dialog_;
    IntrudersWindowPort& window_;

    std::mutex mutex_;
    IntruderTable table_;            // under mutex_
    bool reading_ = false;           // under mutex_
    std::string updatesWhileReading_;  // under mutex_: applied in order once the file is read
    std::string readFailure_;        // under mutex_

    IntruderColumn sortColumn_ = IntruderColumn::Attempts;
    bool descending_ = true;
};
