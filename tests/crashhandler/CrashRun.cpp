#include "CrashRun.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ChildProcess.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

BOOL CALLBACK findIcon(HWND control, LPARAM found)
{
    DWORD_PTR icon = 0;
    if ((GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(control) &&
        SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) && icon) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool showsIcon(HWND box)
{
    bool found = false;
    EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::wstring demoProgram() { return windowsPath(CRASHDEMO_EXE); }

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(static_cast<char>(c));
    return out;
}

std::string readFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void writeFile(const std::wstring& path, const std::string& content)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

CrashOutcome runCrash(const CrashSetup& setup, const TempDir& dir)
{
    const std::wstring log = dir.file(L"debug.log");
    std::wstring commandLine = quoteArgument(setup.program.empty() ? demoProgram() : setup.program) + L" " +
                               std::wstring(setup.kind.begin(), setup.kind.end()) + L" --debug-log " +
                               quoteArgument(log);
    if (!setup.report.empty())
        commandLine += L" --report " + quoteArgument(setup.report);
    if (!setup.dump.empty())
        commandLine += L" --dump " + quoteArgument(setup.dump);
    for (const auto& flag : setup.flags)
        commandLine += L" " + flag;

    CrashOutcome outcome;
    {
        ChildProcess child(commandLine, {.environment = setup.environment});
        if (setup.expectBox) {
            outcome.box = waitForMessageBox(child.id(), kTimeoutMs);
            if (outcome.box) {
                outcome.boxShowsIcon = showsIcon(outcome.box->window);
                dismissMessageBox(*outcome.box);
            }
        }
        outcome.exitCode = child.wait(kTimeoutMs);
    }
    std::istringstream lines(readFile(log));
    for (std::string line; std::getline(lines, line);) {
        outcome.debugLines.push_back(line);
        const auto at = line.rfind(" on thread ");
        if (line.rfind("crashdemo: ", 0) == 0 && at != std::string::npos)
            outcome.crashingThread = static_cast<DWORD>(std::stoul(line.substr(at + 11)));
    }
    return outcome;
}
