#pragma once
#include <optional>
#include <string>

#include "common/message_boxes.h"
#include "dialog_port.h"
#include "logupdate/log_file_writer.h"
#include "system_port.h"

// Commands of the main window that are more than a call into another unit.
// GUI thread.

// "Open Log File" and the tray's "View Log File".
void ViewLogFile(SystemPort& system, MessageBoxes& boxes, const std::string& logFilePath);
// "Delete Log File", after the user confirms.
void DeleteLogFile(DialogPort& mainDialog, LogFileWriter& logFile);
// "Shut&down": true when the user confirms.
bool ConfirmShutdown(DialogPort& mainDialog);
// IDC_AUTO_START was ticked while no session runs: true when the user wants one now.
bool WantsToConnectNow(DialogPort& mainDialog);

