#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

// What the shell is asked to open. All in UTF-8: the file, the folder and
// the parameters, which may be a path too.
struct ShellRequest {
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = kShowNormal;
};

// The shell's result says success above 32.
inline bool ShellSucceeded(std::intptr_t result) { return result > 32; }

// What the file-open or file-save dialog is asked for.
struct FileDialogRequest {
    std::string filter;  // "Name|patterns|...||" as the user sees it
    std::string defaultExtension;
    unsigned flags = 0;
    std::string fileName;  // the name the dialog offers first
};

// The shell and the system, as the engine sees them.
class SystemPort {
public:
    virtual ~SystemPort() = default;

    // Milliseconds since system start, wrapping at 32 bits.
    virtual std::uint32_t TickCount() = 0;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t CurrentTime() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Runs the work on a new thread of normal priority; does not wait.
    virtual void StartWorker(std::function<void()> work) = 0;
    // Runs the task on the GUI thread after everything posted before it.
    // Any thread; never waits. Workers hand their results back this way.
    virtual void PostToGuiThread(std::function<void()> task) = 0;

    // Paths are UTF-8.
    virtual std::string ExecutablePath() = 0;
    virtual std::string WindowsDirectory() = 0;
    // A text of the controls or the router (the system's ANSI code page) in UTF-8.
    virtual std::string AnsiToUtf8(const std::string& text) = 0;
    // The system's text for an error code, without inserts.
    virtual std::string SystemMessageText(int errorCode) = 0;

    // The shell's result (see ShellSucceeded).
    virtual std::intptr_t OpenWithShell(const ShellRequest& request) = 0;
    virtual void PlaySoundFile(const std::string& path) = 0;
    virtual void PlaySoundResource(int resourceId) = 0;
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
    // Owned by the window the user works in (the active one of the GUI thread).
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
    // Puts the text (the system's ANSI code page) on the clipboard; false when it is busy.
    virtual bool CopyTextToClipboard(const std::string& text) = 0;

    // Window timers of the main window.
    virtual void StartTimer(unsigned id, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned id) = 0;
};
