#pragma once
#include <windows.h>

#include "common/control_event.h"

// A control's notification code as the engine reads it.
inline ControlEvent ControlEventOf(WORD notifyCode) {
    if (notifyCode == BN_CLICKED) return ControlEvent::Clicked;
    if (notifyCode == EN_CHANGE) return ControlEvent::TextChanged;
    return ControlEvent::Other;
}
