#pragma once
#include <string>

#include "message_port.h"

// One dialog window's controls, by numeric id. GUI thread only: workers
// post their results to the GUI thread instead.
class DialogPort : public MessagePort {
public:
    virtual std::string GetText(int controlId) = 0;
    virtual void SetText(int controlId, const std::string& text) = 0;
    // Adds the text at the end of an edit control's, leaving what it holds
    // untouched: the control takes in only the new lines.
    virtual void AppendText(int controlId, const std::string& text) = 0;
    // Button check state as the control holds it (0 off, 1 on, anything stored).
    virtual unsigned GetCheckState(int controlId) = 0;
    virtual void SetCheckState(int controlId, unsigned state) = 0;
    // A line scroll of a multi-line edit (EM_LINESCROLL), not a caret move.
    virtual void ScrollLines(int controlId, int lines) = 0;
    virtual void SetVisible(int controlId, bool visible) = 0;

    bool IsChecked(int controlId) { return GetCheckState(controlId) != 0; }
    void SetChecked(int controlId, bool checked) { SetCheckState(controlId, checked ? 1u : 0u); }
};
