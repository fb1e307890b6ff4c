#pragma once
#include "dialog_port.h"
#include "logpage/log_line_renderer.h"
#include "logpage/new_entry_selector.h"

// The main window's log options, read from its controls when needed.
DateFormat ReadDateFormat(DialogPort& dialog);
RenderOptions ReadRenderOptions(DialogPort& dialog);
SelectionOptions ReadSelectionOptions(DialogPort& dialog);
