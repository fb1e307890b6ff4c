#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialog_port.h"
#include "file_port.h"
#include "intruders/alert_calming_controls.h"
#include "intruders/intruder_table.h"
#include "intruders/intrusion_report.h"
#include "intruders/local_moment.h"
#include "intruders_window_port.h"
#include "options/option_controls.h"
#include "options/options.h"
#include "system_port.h"

// An intrusion attempt as an update reports it.
struct ReportedAttempt {
    IntrusionReport report;
    std::optional<std::int32_t> time;  // none when its line has no time
};

// The table takes this many reported attempts in one step of the GUI thread.
inline constexpr std::size_t kAttemptsPerStep = 5000;

// At most this many attempts wait while router.log is read; older ones give way.
inline constexpr std::size_t kMaxAttemptsWaitingForTheFile = 100000;

// The Intruders window's behaviour and the table behind it: built from
// router.log once at start, on a worker, and kept up to date by each update;
// its chart of attempts per day, of all addresses or of the selected one;
// the saved table; and the controls that calm the alerts. GUI thread.
class IntrudersController {
public:
    IntrudersController(DialogPort& dialog, IntrudersWindowPort& window, SystemPort& system, FilePort& files,
                        const Options& options);

    // Reads router.log as it stands now on a worker; the window says so meanwhile.
    void StartReadingRouterLog(const std::string& path);
    // An update's intrusion attempts go into the table.
    void Record(const std::vector<ReportedAttempt>& attempts);
    // The attempts of the local day that holds now, router.log's among them.
    std::uint64_t AttemptsToday() const;
    // Told whenever the table took attempts (the read of router.log, an update).
    void SetTableListener(std::function<void()> listener) { tableChanged_ = std::move(listener); }

    void Open();
    void Close();
    // Shows the table and the chart again when the window is visible.
    void Refresh();
    // The window's buttons and boxes but "Launch with this" (the alerts'),
    // Enter and Escape; those that change an option change `options`.
    void OnCommand(int commandId, ControlEvent event, Options& options);
    // Enter: adds the typed address when its box has the focus, else closes.
    void OnEnter(Options& options);
    void OnColumnClick(int column);
    // The rows' selection may have changed: the chart follows another row, or none.
    void OnSelectionChanged();
    // The selected row's address; empty when there is none.
    std::string SelectedAddress();
    // The stored layout goes to the window at start, and back at exit.
    void ApplyLayout(const std::optional<IntrudersWindowLayout>& layout);
    std::optional<IntrudersWindowLayout> CurrentLayout();

private:
    struct Attempt {
        IntrusionReport report;
        std::optional<LocalStamp> seen;
    };
    void FinishReading(IntruderTable table, std::string failure);
    void Add(Attempt attempt);
    void AddNextStep();
    LocalMoment Now();
    std::optional<std::uint32_t> SelectedNumber();
    void ShowChart();
    void ToggleIgnoreSelected(Options& options);
    void SaveAsCsv();

    DialogPort& dialog_;
    IntrudersWindowPort& window_;
    SystemPort& system_;
    FilePort& files_;
    const Options& options_;
    AlertCalmingControls calming_;

    IntruderTable table_;
    std::function<void()> tableChanged_;
    bool reading_ = false;
    // Applied in order once the file is read.
    std::deque<Attempt> waiting_;
    // Reported attempts the table has still to take, and whether at the minute.
    std::deque<std::pair<ReportedAttempt, bool>> toAdd_;
    bool stepPosted_ = false;
    std::string readFailure_;
    LocalMomentConverter clock_;
    // The address of the chart shown; none for all addresses.
    std::optional<std::uint32_t> charted_;

    IntruderColumn sortColumn_ = kDefaultIntruderColumn;
    bool descending_ = kDefaultIntruderDescending;
};
