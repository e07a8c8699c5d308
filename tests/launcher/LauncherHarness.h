#pragma once
// Runs a launcher build as a child process from a directory of its own, beside a chosen stand-in
// engine, and reads back what the engine recorded.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestPaths.h"

enum class Build { Full, Mini };
enum class Engine { None, Full, Partial, Preprocess0, CreateNull };

struct LaunchSetup {
    Build build = Build::Full;
    Engine engine = Engine::Full;
    std::wstring programName = L"Lumox64.exe";  // the launcher's file name in its directory
    std::wstring arguments;                     // after the program name
    std::optional<WORD> showWindow;
};

class LauncherRun {
public:
    explicit LauncherRun(const LaunchSetup& setup);
    // Launches from `directory` (created by the caller) instead of a fresh one.
    LauncherRun(const LaunchSetup& setup, const std::wstring& directory);

    ChildProcess& process() { return *process_; }
    const std::wstring& directory() const { return directory_; }
    // The engine's lines, in order (empty when no engine was loaded).
    std::vector<std::string> engineLog() const;

private:
    void start(const LaunchSetup& setup);

    TempDir temp_;
    std::wstring directory_;
    std::wstring log_;
    std::optional<ChildProcess> process_;
};

// Copies a file, also across paths longer than MAX_PATH.
void copyInto(const std::wstring& from, const std::wstring& to);
