#pragma once
#include <string>

#include "monitor_context.h"
#include "logupdate/intrusion_alerts.h"

// The alerts of an intrusion attempt and the external program.
class AlertResponder : public IntrusionAlerts {
public:
    explicit AlertResponder(MonitorContext& context);

    void RaiseIntrusionAlerts(const std::string& displayText) override;
    void LaunchExternalProgram() override;

    void PlayIntrusionSound();
    void ChooseExternalProgram();
    void AutofillArgument();
    void BuildAlertSoundPath();

private:
    void FillArgumentWithIntruder(const std::string& text);

    MonitorContext& context_;
};
