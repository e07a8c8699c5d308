#pragma once
// Runs the crash demo program as a child: it loads the crash handler, installs it and crashes
// as told; the "Alert" box it shows is read and dismissed here.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "MessageBoxProbe.h"
#include "TestPaths.h"

struct CrashSetup {
    std::string kind;
    std::wstring report;  // empty: the handler's default
    std::wstring dump;    // empty: the handler's default
    std::vector<std::wstring> flags;
    std::map<std::wstring, std::wstring> environment;
    bool expectBox = true;
    std::wstring program;  // empty: the demo program where it was built
};

struct CrashOutcome {
    std::optional<MessageBoxSeen> box;
    // The box shows an icon. (Which one cannot be told from here: icon handles are the showing
    // process's own, so the probe's comparison with this process's stop icon does not apply.)
    bool boxShowsIcon = false;
    std::optional<DWORD> exitCode;
    std::vector<std::string> debugLines;  // every debugger-output line of the child, in order
    DWORD crashingThread = 0;             // as the child announced it
};

CrashOutcome runCrash(const CrashSetup& setup, const TempDir& dir);

std::string readFile(const std::wstring& path);
bool fileExists(const std::wstring& path);
void writeFile(const std::wstring& path, const std::string& content);
std::string narrow(const std::wstring& text);
std::wstring demoProgram();
