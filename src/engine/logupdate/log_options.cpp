#include "logupdate/log_options.h"

#include "resource_ids.h"

DateFormat ReadDateFormat(DialogPort& dialog) {
    // With no button selected (the first run) the long form applies.
    if (dialog.IsChecked(IDC_WINDOWS_FORMAT)) return DateFormat::Windows;
    if (dialog.IsChecked(IDC_SHORT_FORMAT)) return DateFormat::Short;
    return DateFormat::Long;
}

RenderOptions ReadRenderOptions(DialogPort& dialog) {
    RenderOptions options;
    options.dateFormat = ReadDateFormat(dialog);
    options.logGMT = dialog.IsChecked(IDC_LOG_GMT);
    return options;
}

SelectionOptions ReadSelectionOptions(DialogPort& dialog) {
    SelectionOptions options;
    options.rememberDate = dialog.IsChecked(IDC_REMEMBER_DATE);
    options.onlyIntrusion = dialog.IsChecked(IDC_ONLY_INTRUSION);
    return options;
}
