#pragma once
#include <optional>
#include <string>

#include "alerts/tray_animation.h"
#include "common/message_boxes.h"
#include "dialog_port.h"
#include "file_port.h"
#include "intruders/intrusion_report.h"
#include "options/options.h"
#include "system_port.h"
#include "tray_port.h"

// The intrusion attempts of one update, for the pop-up.
struct UpdateAttempts {
    std::optional<IntrusionReport> latest;
    std::size_t count = 0;
};

// The alerts of an intrusion attempt and the external program. GUI thread.
class AlertResponder {
public:
    AlertResponder(DialogPort& mainDialog, SystemPort& system, FilePort& files, TrayPort& tray, TrayAnimation& animation,
                   MessageBoxes& boxes, const Options& options);

    // intruder.wav beside the executable, when it is there.
    void SetAlertSoundPath(std::string path) { alertSoundPath_ = std::move(path); }

    // An update showed intrusion attempts: the icon blinks, the sound plays,
    // the first address fills the argument box and the latest pops up, each
    // as the options say.
    void RaiseIntrusionAlerts(const std::optional<std::string>& firstAddress, const UpdateAttempts& attempts);
    // The external program with the argument box's text, "%%" standing for
    // the replacement. Failures say so in a box of their own.
    void LaunchExternalProgramWith(const std::string& replacement);
    // "Choose External Program...": the chosen file becomes the program.
    void ChooseExternalProgram(Options& options);
    // A click on IDC_AUTOFILL: the address fills an empty argument box.
    void AutofillArgument(const std::optional<std::string>& addressOnScreen);

private:
    void PlayIntrusionSound();
    void PopUp(const UpdateAttempts& attempts);

    DialogPort& mainDialog_;
    SystemPort& system_;
    FilePort& files_;
    TrayPort& tray_;
    TrayAnimation& animation_;
    MessageBoxes& boxes_;
    const Options& options_;
    std::string alertSoundPath_;
};
