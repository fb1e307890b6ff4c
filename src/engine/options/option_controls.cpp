#include "options/option_controls.h"

#include <initializer_list>

#include "options/password_mask.h"
#include "resource_ids.h"

namespace {

struct CheckControl {
    int controlId;
    CheckState Options::*option;
};

constexpr CheckControl kCheckControls[] = {
    {IDC_ALERT, &Options::alert},
    {IDC_AUTO_LAUNCH, &Options::autoLaunchExternal},
    {IDC_AUTOFILL, &Options::autofill},
    {IDC_LOG_GMT, &Options::logGMT},
    {IDC_ONLY_INTRUSION, &Options::onlyIntrusion},
    {IDC_LOG_TO_FILE, &Options::logToFile},
    {IDC_AUTO_START, &Options::autoStart},
    {IDC_KEEP_ANIMATION, &Options::keepAnimation},
    {IDC_REMEMBER_DATE, &Options::rememberDate},
    {IDC_LAUNCH_AT_STARTUP, &Options::launchAtStartup},
};

struct DateFormatButton {
    int controlId;
    DateFormat format;
};

constexpr DateFormatButton kDateFormatButtons[] = {
    {IDC_WINDOWS_FORMAT, DateFormat::Windows},
    {IDC_SHORT_FORMAT, DateFormat::Short},
    {IDC_LONG_FORMAT, DateFormat::Long},
};

bool TakeText(DialogPort& dialog, int controlId, Options& options) {
    const std::string text = dialog.GetText(controlId);
    switch (controlId) {
    case IDC_ROUTER_ADDRESS: options.routerAddress = text; return true;
    case IDC_REFRESH_RATE: options.refreshRate = text; return true;
    case IDC_PASSWORD:
        options.routerPassword = text;
        options.passwordMasked = text == kPasswordMask;
        return true;
    default: return false;
    }
}

bool TakeClick(DialogPort& dialog, int controlId, Options& options) {
    for (const CheckControl& check : kCheckControls) {
        if (check.controlId != controlId) continue;
        options.*check.option = dialog.GetCheckState(controlId);
        return true;
    }
    for (const DateFormatButton& button : kDateFormatButtons) {
        if (button.controlId != controlId) continue;
        if (dialog.IsChecked(controlId)) options.dateFormat = button.format;
        return true;
    }
    return false;
}

}  // namespace

void OptionControls::Show(const Options& options) {
    showing_ = true;
    mainDialog_.SetText(IDC_ROUTER_ADDRESS, options.routerAddress);
    mainDialog_.SetText(IDC_REFRESH_RATE, options.refreshRate);
    // The password itself never shows.
    mainDialog_.SetText(IDC_PASSWORD, kPasswordMask);
    for (const CheckControl& check : kCheckControls) mainDialog_.SetCheckState(check.controlId, options.*check.option);
    for (const DateFormatButton& button : kDateFormatButtons) {
        mainDialog_.SetChecked(button.controlId, options.dateFormat == button.format);
    }
    showing_ = false;
}

bool OptionControls::TakeChange(int controlId, ControlEvent event, Options& options) {
    if (showing_) return false;
    if (event == ControlEvent::TextChanged) return TakeText(mainDialog_, controlId, options);
    if (event == ControlEvent::Clicked) return TakeClick(mainDialog_, controlId, options);
    return false;
}
