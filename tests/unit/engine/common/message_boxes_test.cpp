#include "common/message_boxes.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace {
// A box's own message loop runs what was posted meanwhile, as Windows does.
struct NestingMessages : MessagePort {
    explicit NestingMessages(FakeSystem& system) : system(system) {}
    MessageAnswer ShowMessage(const std::string& text, MessageButtons) override {
        opened.push_back(text);
        system.RunPosted();
        return MessageAnswer::Ok;
    }
    FakeSystem& system;
    std::vector<std::string> opened;
};
}  // namespace

TEST(MessageBoxes, OpenOnTheGuiThreadAndNotTwiceWhileTheSameIsOpen) {
    FakeSystem system;
    NestingMessages messages(system);
    MessageBoxes boxes(messages, system);
    // A worker asks; the answer comes at once and the box waits for the GUI thread.
    EXPECT_EQ(boxes.ForWorkers().ShowMessage("Windows sockets initialization failed.", MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_TRUE(messages.opened.empty());
    // While it is open the same failure comes twice more, and another once.
    system.PostToGuiThread([&] {
        boxes.ShowLater("Windows sockets initialization failed.");
        boxes.ShowLater("Cannot execute application: C:\\probe.exe");
        boxes.ShowLater("Windows sockets initialization failed.");
    });
    system.RunPosted();
    EXPECT_EQ(messages.opened, (std::vector<std::string>{"Windows sockets initialization failed.",
                                                          "Cannot execute application: C:\\probe.exe"}));
    // Once answered, it may open again.
    boxes.ShowLater("Windows sockets initialization failed.");
    system.RunPosted();
    EXPECT_EQ(messages.opened.size(), 3u);
}
