#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialog_port.h"

// A dialog of plain values. It counts the calls made off the thread that
// created it, the GUI thread: a worker must never touch a control.
class FakeDialog : public DialogPort {
public:
    std::atomic<int> callsOffGuiThread{0};

    std::string GetText(int id) override { auto lock = Lock(); return texts_[id]; }
    void SetText(int id, const std::string& text) override {
        std::function<void(int, const std::string&)> hook;
        {
            auto lock = Lock();
            texts_[id] = text;
            textHistory_[id].push_back(text);
            hook = onTextChanged;
        }
        // Like EN_CHANGE, the notification follows the change.
        if (hook) hook(id, text);
    }
    void AppendText(int id, const std::string& text) override {
        std::string whole;
        {
            auto lock = Lock();
            whole = texts_[id] + text;
        }
        SetText(id, whole);
    }
    unsigned GetCheckState(int id) override { auto lock = Lock(); return checks_[id]; }
    void SetCheckState(int id, unsigned state) override { auto lock = Lock(); checks_[id] = state; }
    void ScrollLines(int id, int lines) override { auto lock = Lock(); scrolls_.push_back({id, lines}); }
    void SetVisible(int, bool) override {}  // the GUI tests check what is shown
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons) override {
        auto lock = Lock();
        messages_.push_back(text);
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }

    // Test side
    std::vector<std::string> Messages() { auto lock = Lock(); return messages_; }
    std::vector<std::string> TextHistory(int id) { auto lock = Lock(); return textHistory_[id]; }
    std::vector<std::pair<int, int>> Scrolls() { auto lock = Lock(); return scrolls_; }
    void ClearHistory() {
        auto lock = Lock();
        textHistory_.clear();
        messages_.clear();
        scrolls_.clear();
    }

    // Called after every SetText, outside the lock (the shell's EN_CHANGE).
    std::function<void(int, const std::string&)> onTextChanged;

private:
    std::unique_lock<std::mutex> Lock() {
        if (std::this_thread::get_id() != guiThread_) ++callsOffGuiThread;
        return std::unique_lock<std::mutex>(mutex_);
    }

    const std::thread::id guiThread_ = std::this_thread::get_id();

    std::mutex mutex_;
    std::map<int, std::string> texts_;
    std::map<int, std::vector<std::string>> textHistory_;
    std::map<int, unsigned> checks_;
    std::vector<std::pair<int, int>> scrolls_;
    std::vector<std::string> messages_;
};
