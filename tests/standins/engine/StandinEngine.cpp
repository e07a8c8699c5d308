// A stand-in for the player engine library. It records every call it receives, with its
// arguments, one line each, in the file named by LUMOX_ENGINE_LOG, and also prints the lines when
// LUMOX_ENGINE_ECHO is set. Variants are chosen at build time:
//   STANDIN_PREPROCESS_RESULT  what PreprocessCmdLineExW returns (default 1)
//   STANDIN_CREATE_NULL        CreateLumoxExW returns null
//   STANDIN_PARTIAL            only some entry points are exported (see its .def file)
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <string>

#ifndef STANDIN_PREPROCESS_RESULT
#define STANDIN_PREPROCESS_RESULT 1
#endif

namespace {

HMODULE g_self;
void* const kPlayer = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x5EED0001));

std::string utf8(const wchar_t* text)
{
    if (!text)
        return "(null)";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

void record(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"LUMOX_ENGINE_LOG", path, MAX_PATH)) {
        HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    if (GetEnvironmentVariableW(L"LUMOX_ENGINE_ECHO", nullptr, 0)) {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (out && out != INVALID_HANDLE_VALUE)
            WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

// Whether the calling thread already is in a single-threaded COM apartment.
const char* apartment()
{
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr))
        CoUninitialize();
    return hr == S_FALSE ? "sta" : hr == S_OK ? "none" : "other";
}

std::string hex(std::uintptr_t value)
{
    char buf[32];
    wsprintfA(buf, "0x%llX", static_cast<unsigned long long>(value));
    return buf;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(instance, path, MAX_PATH);
        record("attach path=" + utf8(path));
    } else if (reason == DLL_PROCESS_DETACH) {
        record("detach");
    }
    return TRUE;
}

int PreprocessCmdLineExW(HINSTANCE instance, const wchar_t* commandLine,
                                               int showCommand, int flag)
{
    const bool self = instance == GetModuleHandleW(nullptr);
    record("PreprocessCmdLineExW instance=" + std::string(self ? "launcher" : hex(reinterpret_cast<std::uintptr_t>(instance))) +
           " cmdline=[" + utf8(commandLine) + "] show=" + std::to_string(showCommand) +
           " flag=" + std::to_string(flag) + " com=" + apartment());
    return STANDIN_PREPROCESS_RESULT;
}

void UninitLumox() { record("UninitLumox"); }

#ifndef STANDIN_PARTIAL
void* CreateLumoxExW(INT_PTR first, INT_PTR second, int flags)
{
    record("CreateLumoxExW args=" + std::to_string(first) + "," + std::to_string(second) +
           " flags=" + std::to_string(flags));
#ifdef STANDIN_CREATE_NULL
    return nullptr;
#else
    return kPlayer;
#endif
}

void RunLumox() { record("RunLumox"); }

void DestroyLumox(void* player)
{
    record(std::string("DestroyLumox player=") + (player == kPlayer ? "created" : hex(reinterpret_cast<std::uintptr_t>(player))));
}
#endif

}  // extern "C"
