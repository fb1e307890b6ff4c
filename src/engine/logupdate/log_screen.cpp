#include "logupdate/log_screen.h"

#include "resource_ids.h"

namespace {
// The only trimming of the screen: it may exceed this after an update and
// is emptied at the start of the next one.
constexpr std::size_t LogScreenLimit = 30000;
}

std::string ReadLogScreen(MonitorContext& context) {
    auto text = context.dialog.GetText(IDC_LOG_SCREEN);
    if (text.size() <= LogScreenLimit) return text;
    context.dialog.SetText(IDC_LOG_SCREEN, "");
    return {};
}
