#include "Utility.h"

#include <shlwapi.h>
#include <tlhelp32.h>
// The snapshot is read in ANSI, like every name the crash code records.
#undef Module32First
#undef Module32Next
#undef MODULEENTRY32

#include "ScopedHandle.h"

Utility::GetModuleBaseNameAFn Utility::getModuleBaseNameA_ = nullptr;

Utility::Utility()
{
    processStatus_ = GetModuleHandleA("psapi.dll");
    if (!processStatus_) {
        processStatus_ = LoadLibraryA("psapi.dll");
        ownsProcessStatus_ = processStatus_ != nullptr;
    }
    if (!processStatus_)
        return;
    getModuleBaseNameA_ = reinterpret_cast<GetModuleBaseNameAFn>(
        reinterpret_cast<void*>(GetProcAddress(processStatus_, "GetModuleBaseNameA")));
    if (!getModuleBaseNameA_) {
        if (ownsProcessStatus_)
            FreeLibrary(processStatus_);
        processStatus_ = nullptr;
        ownsProcessStatus_ = false;
    }
}

Utility::~Utility()
{
    if (ownsProcessStatus_) {
        FreeLibrary(processStatus_);
        processStatus_ = nullptr;
        ownsProcessStatus_ = false;
        getModuleBaseNameA_ = nullptr;
    }
}

DWORD Utility::moduleName(HANDLE process, HMODULE module, char* buffer, DWORD size) const
{
    if (processStatus_ && getModuleBaseNameA_)
        return getModuleBaseNameA_(process, module, buffer, size);

    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId()));
    if (!snapshot || size == 0)
        return 0;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot.get(), &entry); more; more = Module32Next(snapshot.get(), &entry)) {
        const char* name = nullptr;
        if (!module)
            name = entry.szExePath;
        else if (entry.hModule == module)
            name = entry.szModule;
        if (name) {
            lstrcpynA(buffer, name, static_cast<int>(size));
            return static_cast<DWORD>(lstrlenA(buffer));
        }
    }
    return 0;
}

int Utility::fileTimeStamp(const char* path, char* buffer, int size) const
{
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;
    BY_HANDLE_FILE_INFORMATION info{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileInformationByHandle(file.get(), &info) || !FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &time))
        return -1;
    wnsprintfA(buffer, size, "%04d/%02d/%02d, %02d:%02d:%02d", time.wYear, time.wMonth, time.wDay,
               time.wHour, time.wMinute, time.wSecond);
    return 0;
}

bool Utility::ansiToWide(const char* text, wchar_t* buffer, int sizeInChars) const
{
    return MultiByteToWideChar(GetACP(), 0, text, -1, buffer, sizeInChars) != 0;
}

bool Utility::wideToAnsi(const wchar_t* text, char* buffer, int sizeInBytes) const
{
    return WideCharToMultiByte(GetACP(), 0, text, -1, buffer, sizeInBytes, nullptr, nullptr) != 0;
}
