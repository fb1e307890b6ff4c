#pragma once
#include <string>

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Message boxes, captioned and iconned by the platform side. Texts are UTF-8:
// the program's own, and paths.
class MessagePort {
public:
    virtual ~MessagePort() = default;
    virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) = 0;
};
