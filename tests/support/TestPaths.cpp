#include "TestPaths.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace {
std::string convert(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (auto& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
}  // namespace

std::string windowsPathA(const std::string& unixPath) { return convert(unixPath); }

std::wstring windowsPath(const std::string& unixPath)
{
    const std::string p = convert(unixPath);
    return std::wstring(p.begin(), p.end());
}

TempDir::TempDir()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::wstring candidate = std::wstring(base) + L"lumoxtest-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}
