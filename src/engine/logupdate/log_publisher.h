#pragma once
#include <optional>
#include <string>

#include "alerts/alert_responder.h"
#include "alerts/intrusion_alert_gate.h"
#include "intruders/intruders_controller.h"
#include "logupdate/log_file_writer.h"
#include "logupdate/log_screen.h"
#include "common/log_update.h"
#include "options/options.h"

// The one owner of what a log update changes: the log screen, the latest
// lines ("%%" of the external program), router.log, the Intruders table, the
// alerts and the automatic launch. Every log source hands its updates here,
// on the GUI thread, in the order they come.
class LogPublisher {
public:
    LogPublisher(LogScreen& screen, LogFileWriter& file, IntrudersController& intruders, AlertResponder& alerts,
                 IntrusionAlertGate& gate, const Options& options)
        : screen_(screen), file_(file), intruders_(intruders), alerts_(alerts), gate_(gate), options_(options) {}

    // Applies an update: the screen, the latest lines, the table and the
    // alerts, router.log, then the launch. An update without lines leaves
    // an empty screen saying so. An update whose every record is an
    // intrusion attempt that raises no alert (ignored or quiet) launches
    // nothing; one with other lines launches as ever, with all its lines.
    void Publish(const LogUpdate& update);
    // An error text or notice in place of the log.
    void ShowNotice(std::string text);
    // "Clear Screen".
    void ClearScreen();

    // The lines of the latest update shown.
    const std::string& LastParagraph() const { return lastParagraph_; }
    // The address of the first intrusion attempt the screen shows, ignored ones passed over.
    const std::optional<std::string>& FirstAddressOnScreen() const { return firstAddressOnScreen_; }

private:
    void ShowLines(const LogUpdate& update);

    LogScreen& screen_;
    LogFileWriter& file_;
    IntrudersController& intruders_;
    AlertResponder& alerts_;
    IntrusionAlertGate& gate_;
    const Options& options_;

    std::string lastParagraph_;
    std::optional<std::string> firstAddressOnScreen_;
};
