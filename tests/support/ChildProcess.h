#pragma once
// A program started by a test, ended (killed) when the object goes if it is still running.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

class ChildProcess {
public:
    struct Options {
        std::wstring workingDirectory;                   // empty: the test's own
        std::map<std::wstring, std::wstring> environment;  // added to (or replacing in) the test's
        std::optional<WORD> showWindow;                  // STARTF_USESHOWWINDOW when set
    };

    // `commandLine` is the complete command line, program name first. Throws on failure to start.
    ChildProcess(const std::wstring& commandLine, const Options& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // The exit code, or nothing when the process still runs after `timeoutMs`.
    std::optional<DWORD> wait(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_{};
};

// Quotes one argument for a Windows command line.
std::wstring quoteArgument(const std::wstring& argument);
