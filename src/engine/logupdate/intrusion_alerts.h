#pragma once
#include <string>

// The alert side of a log update: what happens when an update holds an
// intrusion attempt, and the automatic launch of the external program.
class IntrusionAlerts {
public:
    virtual ~IntrusionAlerts() = default;
    virtual void RaiseIntrusionAlerts(const std::string& displayText) = 0;
    virtual void LaunchExternalProgram() = 0;
};
