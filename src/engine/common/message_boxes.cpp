#include "common/message_boxes.h"

void MessageBoxes::ShowLater(std::string text) {
    system_.PostToGuiThread([this, text = std::move(text)] { ShowUnlessOpen(text); });
}

void MessageBoxes::ShowUnlessOpen(const std::string& text) {
    if (!open_.insert(text).second) return;
    // Polls go on while the box waits for its answer.
    messages_.ShowMessage(text, MessageButtons::Ok);
    open_.erase(text);
}

MessageAnswer MessageBoxes::WorkerMessages::ShowMessage(const std::string& text, MessageButtons) {
    boxes_.ShowLater(text);
    return MessageAnswer::Ok;
}
