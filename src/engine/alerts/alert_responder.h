#pragma once
#include <string>

#include "intruders/intruders_controller.h"
#include "logupdate/intrusion_alerts.h"
#include "monitor_context.h"
#include "tray_port.h"

// The alerts of an intrusion attempt and the external program.
class AlertResponder : public IntrusionAlerts {
public:
    AlertResponder(MonitorContext& context, TrayPort& tray, IntrudersController& intruders);

    void RaiseIntrusionAlerts(const std::string& displayText) override;
    void LaunchExternalProgram() override;
    // The same launch with "%%" standing for the given text.
    void LaunchExternalProgramWith(const std::string& replacement);

    void PlayIntrusionSound();
    void ChooseExternalProgram();
    void AutofillArgument();
    void BuildAlertSoundPath();

private:
    void FillArgumentWithIntruder(const std::string& text);

    void PopUpAttempts(const UpdateAttempts& attempts);

    MonitorContext& context_;
    TrayPort& tray_;
    IntrudersController& intruders_;
};
