#pragma once
#include "common/control_event.h"
#include "dialog_port.h"
#include "options/options.h"

// The one place that knows which control of the main window shows which
// option. GUI thread.
class OptionControls {
public:
    explicit OptionControls(DialogPort& mainDialog) : mainDialog_(mainDialog) {}

    // Every option control shows its option; the notifications this raises change nothing.
    void Show(const Options& options);
    // A control reported a change: its option takes the control's value.
    // False when the control shows no option.
    bool TakeChange(int controlId, ControlEvent event, Options& options);

private:
    DialogPort& mainDialog_;
    bool showing_ = false;
};
