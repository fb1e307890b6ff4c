#include "logproc/status_line.h"

#include "resource_ids.h"

void SetStatusText(MonitorContext& context, const std::string& text) {
    context.dialog.SetText(IDC_STATUS_LINE, text);
}
