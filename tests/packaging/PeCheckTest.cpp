// The packaging check itself: it must catch each way a deliverable can be packaged wrong.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "TestPaths.h"

namespace {

struct CheckResult {
    DWORD exitCode;
    std::string report;
};

CheckResult runPeCheck(const std::wstring& arguments)
{
    TempDir temp;
    const std::wstring reportFile = temp.file(L"report.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(reportFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    PROCESS_INFORMATION pi{};
    std::wstring line = quoteArgument(windowsPath(PECHECK)) + L" " + arguments;
    EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(out);
    std::ifstream in(std::string(reportFile.begin(), reportFile.end()));
    std::stringstream text;
    text << in.rdbuf();
    return {code, text.str()};
}

std::wstring fixture() { return quoteArgument(windowsPath(BAD_DELIVERABLE)); }

}  // namespace

struct PeCheckCase {
    const char* name;
    const wchar_t* arguments;  // after the file
    DWORD exitCode;
    const char* reportLine;    // must appear in the report
};

class PeCheck : public ::testing::TestWithParam<PeCheckCase> {};

TEST_P(PeCheck, ReportsEachFault)
{
    const auto& c = GetParam();
    const auto result = runPeCheck(fixture() + L" " + c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.report;
    EXPECT_NE(result.report.find(c.reportLine), std::string::npos) << result.report;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PeCheck,
    ::testing::Values(
        PeCheckCase{"NonSystemImport", L"--exports \"Plain;_Z9Decoratedi\"", 1,
                    "import  Lumox64.dll                  NOT A SYSTEM DLL"},
        PeCheckCase{"AllowedExtraImport", L"--exports \"Plain;_Z9Decoratedi\" --imports-also Lumox64.dll", 0,
                    "import  Lumox64.dll                  ok"},
        PeCheckCase{"DecoratedExport", L"--exports Plain --imports-also Lumox64.dll", 1,
                    "export  _Z9Decoratedi                DECORATED"},
        PeCheckCase{"MissingExport", L"--exports \"Plain;_Z9Decoratedi;Absent\" --imports-also Lumox64.dll", 1,
                    "export  Absent                       MISSING"},
        PeCheckCase{"ExtraExport", L"--exports _Z9Decoratedi --imports-also Lumox64.dll", 1,
                    "export  Plain                        EXTRA"},
        PeCheckCase{"WrongModuleName", L"--exports \"Plain;_Z9Decoratedi\" --imports-also Lumox64.dll --module-name Other.dll", 1,
                    "export table names the module \"BadDeliverable.dll\", expected \"Other.dll\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PeCheck, RefusesAFileThatIsNoImage)
{
    const auto result = runPeCheck(quoteArgument(windowsPath(PECHECK_SOURCE)) + L" --exports x");
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_NE(result.report.find("no MZ header"), std::string::npos) << result.report;
}
