#pragma once
#include "dialog_port.h"
#include "options/option_controls.h"
#include "options/options.h"
#include "syslog/syslog_source.h"
#include "system_port.h"
#include "window_port.h"

// The Syslog window: the receiver's options, which apply at once, and its
// status line, kept fresh while the window shows. GUI thread.
class SyslogWindowController {
public:
    SyslogWindowController(DialogPort& dialog, WindowPort& window, SystemPort& system, Options& options,
                           SyslogSource& source);

    void Open();
    void Close();
    void OnCommand(int controlId, ControlEvent event);
    void OnStatusTimer();

private:
    void ShowOptions();
    void ShowStatus();
    void TakePort();

    DialogPort& dialog_;
    WindowPort& window_;
    SystemPort& system_;
    Options& options_;
    SyslogSource& source_;
    // The controls are being filled: their notifications change nothing.
    bool showing_ = false;
    bool portInvalid_ = false;
};
