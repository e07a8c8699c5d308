#include "ChildProcess.h"

#include <stdexcept>
#include <vector>

namespace {

// The test's environment with `overrides` applied, as a sorted CreateProcessW block.
std::vector<wchar_t> environmentBlock(const std::map<std::wstring, std::wstring>& overrides)
{
    std::map<std::wstring, std::wstring> vars;
    if (wchar_t* env = GetEnvironmentStringsW()) {
        for (const wchar_t* p = env; *p; p += wcslen(p) + 1) {
            const std::wstring entry = p;
            const auto eq = entry.find(L'=', 1);
            if (eq != std::wstring::npos)
                vars[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
        FreeEnvironmentStringsW(env);
    }
    for (const auto& [name, value] : overrides)
        vars[name] = value;
    std::vector<wchar_t> block;
    for (const auto& [name, value] : vars) {
        const std::wstring entry = name + L"=" + value;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& commandLine, const Options& options)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (options.showWindow) {
        si.dwFlags |= STARTF_USESHOWWINDOW;
        si.wShowWindow = *options.showWindow;
    }
    std::wstring mutableLine = commandLine;
    auto env = environmentBlock(options.environment);
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, env.data(),
                        options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str(),
                        &si, &info_))
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
}

ChildProcess::~ChildProcess()
{
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<DWORD> ChildProcess::wait(DWORD timeoutMs)
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::wstring quoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}
