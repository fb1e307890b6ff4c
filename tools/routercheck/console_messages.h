#pragma once
#include "message_port.h"

// Message boxes of a console tool: the text goes to stderr, questions get No.
class ConsoleMessages : public MessagePort {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override;
};
