#pragma once
// Paths handed to tests by the build are Unix paths; Wine maps drive Z: to the Unix root.
#include <string>

std::wstring windowsPath(const std::string& unixPath);
std::string windowsPathA(const std::string& unixPath);

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};
