#include "logpage/last_date_reset.h"

#include "notice_text.h"

std::int32_t ApplyLastDateReset(std::string_view screenText, bool rememberDate, std::int32_t lastDate) {
    if (ShowsNoLogLines(screenText) && !rememberDate) return 0;
    return lastDate;
}
