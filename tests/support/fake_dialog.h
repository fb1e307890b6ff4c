#pragma once
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "app/dialog_port.h"

// A dialog of plain values. Thread-safe, like the real one.
class FakeDialog : public DialogPort {
public:
    struct Message {
        std::string text;
        MessageButtons buttons;
    };

    std::string GetText(int id) override {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_[id];
    }
    void SetText(int id, const std::string& text) override {
        std::function<void(int, const std::string&)> hook;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_[id] = text;
            textHistory_[id].push_back(text);
            hook = onTextChanged;
        }
        // Like EN_CHANGE, the notification follows the change.
        if (hook) hook(id, text);
    }
    unsigned GetCheckState(int id) override {
        std::lock_guard<std::mutex> lock(mutex_);
        return checks_[id];
    }
    void SetCheckState(int id, unsigned state) override {
        std::lock_guard<std::mutex> lock(mutex_);
        checks_[id] = state;
    }
    void ScrollLines(int id, int lines) override {
        std::lock_guard<std::mutex> lock(mutex_);
        scrolls_.push_back({id, lines});
    }
    void SetVisible(int id, bool visible) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (visible) hidden_.erase(id); else hidden_.insert(id);
    }
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back({text, buttons});
        if (!answers_.empty()) {
            MessageAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }

    // Test side
    void QueueAnswer(MessageAnswer answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        answers_.push_back(answer);
    }
    std::vector<Message> Messages() {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    std::vector<std::string> TextHistory(int id) {
        std::lock_guard<std::mutex> lock(mutex_);
        return textHistory_[id];
    }
    std::vector<std::pair<int, int>> Scrolls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return scrolls_;
    }
    bool IsVisible(int id) {
        std::lock_guard<std::mutex> lock(mutex_);
        return hidden_.count(id) == 0;
    }
    void ClearHistory() {
        std::lock_guard<std::mutex> lock(mutex_);
        textHistory_.clear();
        messages_.clear();
        scrolls_.clear();
    }

    // Called after every SetText, outside the lock (the shell's EN_CHANGE).
    std::function<void(int, const std::string&)> onTextChanged;

private:
    std::mutex mutex_;
    std::map<int, std::string> texts_;
    std::map<int, std::vector<std::string>> textHistory_;
    std::map<int, unsigned> checks_;
    std::set<int> hidden_;
    std::vector<std::pair<int, int>> scrolls_;
    std::vector<Message> messages_;
    std::deque<MessageAnswer> answers_;
};
