#pragma once
#include <windows.h>

#include <atomic>

#include "system_port.h"

// The shell and the system through the Win32 API. Timers and the file-open
// dialog belong to the main window, which is known once it is created.
class Win32System : public SystemPort {
public:
    explicit Win32System(HINSTANCE instance) : instance_(instance) {}

    void SetMainWindow(HWND window) { mainWindow_ = window; }

    std::uint32_t TickCount() override;
    std::int64_t CurrentTime() override;
    void Sleep(std::uint32_t milliseconds) override;
    void StartWorker(std::function<void()> work) override;
    void PostToGuiThread(std::function<void()> task) override;

    std::string ExecutablePath() override;
    std::string WindowsDirectory() override;
    std::string AnsiToUtf8(const std::string& text) override;
    std::string SystemMessageText(int errorCode) override;

    std::intptr_t OpenWithShell(const ShellRequest& request) override;
    void PlaySoundFile(const std::string& path) override;
    void PlaySoundResource(int resourceId) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    bool CopyTextToClipboard(const std::string& text) override;

    void StartTimer(unsigned id, unsigned periodMs) override;
    void KillTimer(unsigned id) override;

private:
    std::optional<std::string> ChooseFile(const FileDialogRequest& request, HWND owner, bool save);

    HINSTANCE instance_;
    std::atomic<HWND> mainWindow_{nullptr};
};

// The main window's private message that carries a posted task; its lParam
// owns the task until RunPostedTask runs and frees it.
inline constexpr UINT kRunPostedTaskMessage = WM_APP + 3;
void RunPostedTask(LPARAM lParam);

// "Name|patterns|...||" into the NUL-separated list the file dialog reads.
std::string FileDialogFilter(const std::string& barSeparated);
