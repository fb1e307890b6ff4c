#include "console_messages.h"

#include <cstdio>

MessageAnswer ConsoleMessages::ShowMessage(const std::string& text, MessageButtons buttons) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}
