#pragma once
#include <set>
#include <string>

#include "message_port.h"
#include "system_port.h"

// Message boxes of the program's own failures. They open only on the GUI
// thread, from a task of their own, so that a box never opens in the middle
// of an update; and a box is not opened again while the same one is open.
class MessageBoxes {
public:
    MessageBoxes(MessagePort& messages, SystemPort& system) : messages_(messages), system_(system), workers_(*this) {}
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    // Any thread: the box opens once what was posted before it has run. Never waits.
    void ShowLater(std::string text);
    // For code that runs on workers and asks for an OK box: it opens later,
    // and the answer is OK at once.
    MessagePort& ForWorkers() { return workers_; }

private:
    class WorkerMessages : public MessagePort {
    public:
        explicit WorkerMessages(MessageBoxes& boxes) : boxes_(boxes) {}
        MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override;

    private:
        MessageBoxes& boxes_;
    };

    void ShowUnlessOpen(const std::string& text);

    MessagePort& messages_;
    SystemPort& system_;
    WorkerMessages workers_;
    std::set<std::string> open_;  // GUI thread
};
