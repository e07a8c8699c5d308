// pecheck <file> --exports "a;b" [--imports-also "X.DLL;Y.DLL"] [--module-name NAME]
// Fails when a deliverable imports a DLL that is not part of Windows, or when its export table
// misses, adds or decorates a name.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "PeFile.h"

namespace {

// DLLs every Windows installation has; anything else (a mingw runtime DLL above all) must not be
// needed at run time.
const std::set<std::string> kSystemDlls = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "dbghelp.dll", "gdi32.dll",
    "imm32.dll",    "kernel32.dll", "msvcrt.dll",   "ntdll.dll",   "ole32.dll",   "oleaut32.dll",
    "psapi.dll",    "shell32.dll",  "shlwapi.dll",  "user32.dll",  "uxtheme.dll", "version.dll",
    "wininet.dll",  "winmm.dll",    "ws2_32.dll",   "mswsock.dll", "bcrypt.dll",  "secur32.dll",
};

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::set<std::string> splitList(const std::string& list)
{
    std::set<std::string> out;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ';');)
        if (!item.empty())
            out.insert(item);
    return out;
}

bool isSystemDll(const std::string& name)
{
    const auto n = lower(name);
    return kSystemDlls.count(n) || n.rfind("api-ms-win-", 0) == 0;
}

// stdcall/fastcall suffixes (@n), MSVC C++ names (?...) and Itanium C++ names (_Z...).
bool looksDecorated(const std::string& name)
{
    return name.find_first_of("@?") != std::string::npos || name.rfind("_Z", 0) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pecheck <file> --exports LIST [--imports-also LIST] [--module-name NAME]\n");
        return 2;
    }
    std::set<std::string> expectedExports, extraImports;
    std::string moduleName;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--exports")
            expectedExports = splitList(argv[i + 1]);
        else if (flag == "--imports-also")
            for (const auto& dll : splitList(argv[i + 1]))
                extraImports.insert(lower(dll));
        else if (flag == "--module-name")
            moduleName = argv[i + 1];
    }

    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};

    int faults = 0;
    try {
        const PeTables tables = readPeTables(bytes);
        for (const auto& dll : tables.imports) {
            const bool allowed = isSystemDll(dll) || extraImports.count(lower(dll));
            std::printf("import  %-28s %s\n", dll.c_str(), allowed ? "ok" : "NOT A SYSTEM DLL");
            faults += !allowed;
        }
        const std::set<std::string> actual(tables.exports.begin(), tables.exports.end());
        for (const auto& name : actual) {
            const char* verdict = expectedExports.count(name) ? "ok"
                                  : looksDecorated(name)      ? "DECORATED"
                                                              : "EXTRA";
            std::printf("export  %-28s %s\n", name.c_str(), verdict);
            faults += !expectedExports.count(name);
        }
        for (const auto& name : expectedExports)
            if (!actual.count(name)) {
                std::printf("export  %-28s MISSING\n", name.c_str());
                ++faults;
            }
        if (!moduleName.empty() && tables.exportedModuleName != moduleName) {
            std::printf("export table names the module \"%s\", expected \"%s\"\n",
                        tables.exportedModuleName.c_str(), moduleName.c_str());
            ++faults;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 2;
    }
    return faults ? 1 : 0;
}
