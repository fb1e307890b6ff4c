#pragma once
#include "system_port.h"

// The system as a console tool has it: a clock and a tick count, nothing of the shell.
class ClockOnlySystem : public SystemPort {
public:
    std::uint32_t TickCount() override;
    std::int64_t CurrentTime() override;
    void Sleep(std::uint32_t milliseconds) override;
    void StartWorker(std::function<void()> work) override;
    // No GUI thread here: the task runs on the thread that posts it.
    void PostToGuiThread(std::function<void()> task) override { task(); }
    std::string ExecutablePath() override { return {}; }
    std::string WindowsDirectory() override { return {}; }
    std::string AnsiToUtf8(const std::string& text) override { return text; }
    std::string SystemMessageText(int errorCode) override;
    std::intptr_t OpenWithShell(const ShellRequest&) override { return 0; }
    void PlaySoundFile(const std::string&) override {}
    void PlaySoundResource(int) override {}
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    bool CopyTextToClipboard(const std::string&) override { return false; }
    void StartTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
};
