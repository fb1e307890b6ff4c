#include "logupdate/status_line.h"

#include "resource_ids.h"

void SetStatusLineText(MonitorContext& context, const std::string& text) {
    context.dialog.SetText(IDC_STATUS_LINE, text);
}
