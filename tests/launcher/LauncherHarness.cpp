#include "LauncherHarness.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

std::wstring launcherFile(Build build)
{
    return windowsPath(build == Build::Full ? LAUNCHER_FULL : LAUNCHER_MINI);
}

std::wstring engineFile(Engine engine)
{
    switch (engine) {
    case Engine::Full: return windowsPath(ENGINE_FULL);
    case Engine::Partial: return windowsPath(ENGINE_PARTIAL);
    case Engine::Preprocess0: return windowsPath(ENGINE_PREPROCESS0);
    case Engine::CreateNull: return windowsPath(ENGINE_CREATENULL);
    case Engine::None: break;
    }
    return {};
}

std::wstring longForm(const std::wstring& path) { return L"\\\\?\\" + path; }

}  // namespace

void copyInto(const std::wstring& from, const std::wstring& to)
{
    if (!CopyFileW(longForm(from).c_str(), longForm(to).c_str(), FALSE))
        throw std::runtime_error("CopyFileW failed: " + std::to_string(GetLastError()));
}

LauncherRun::LauncherRun(const LaunchSetup& setup) : directory_(temp_.file(L"app")) { start(setup); }

LauncherRun::LauncherRun(const LaunchSetup& setup, const std::wstring& directory)
    : directory_(directory)
{
    start(setup);
}

void LauncherRun::start(const LaunchSetup& setup)
{
    log_ = temp_.file(L"engine.log");
    CreateDirectoryW(longForm(directory_).c_str(), nullptr);
    const std::wstring program = directory_ + L"\\" + setup.programName;
    copyInto(launcherFile(setup.build), program);
    if (setup.engine != Engine::None)
        copyInto(engineFile(setup.engine), directory_ + L"\\Lumox64.dll");

    ChildProcess::Options options;
    options.environment[L"LUMOX_ENGINE_LOG"] = log_;
    options.showWindow = setup.showWindow;
    // Started from elsewhere: the engine must be found beside the program, not in the current
    // directory.
    options.workingDirectory = temp_.path();
    std::wstring commandLine = quoteArgument(program);
    if (!setup.arguments.empty())
        commandLine += L" " + setup.arguments;
    process_.emplace(commandLine, options);
}

std::vector<std::string> LauncherRun::engineLog() const
{
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(log_)};
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
