#pragma once
#include <optional>
#include <string>

#include "monitor_context.h"

class SessionController;

// Commands of the main window that are more than a call into another unit.
void ViewLogFile(MonitorContext& context);
void DeleteLogFile(MonitorContext& context);
void ClearLogScreen(MonitorContext& context);
// Check box 1005 was clicked: offers to start the session at once.
void OnAutoStartClicked(MonitorContext& context, SessionController& session);
// "Shut&down": true when the user confirms.
bool ConfirmShutdown(MonitorContext& context);
void OnPasswordEdited(MonitorContext& context, const std::string& text);
void OnRouterAddressEdited(MonitorContext& context, const std::string& text);
// Sets the caption of button 1032.
void SetStatusButtonCaption(DialogPort& mainDialog, bool offerShow);

// A double-clicked selection of the log screen that is an address with
// exactly three dots, without its port.
std::optional<std::string> AddressFromSelection(const std::string& selection);
// Copies a double-clicked address of the log screen into the argument box.
void OnLogScreenDoubleClick(MonitorContext& context, std::size_t selectionStart, std::size_t selectionEnd);
