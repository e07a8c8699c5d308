// Every kind of crash leaves the dump and the report at the configured paths and shows the
// "Alert" box with the code; the process then ends with that code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "CrashRun.h"
#include "DumpFile.h"
#include "ReportChecks.h"

using ::testing::EndsWith;
using ::testing::HasSubstr;

namespace {

struct CrashKind {
    const char* kind;
    DWORD code;
    const char* description;  // null: the system's message text for the code
    const char* faultModule;
    const char* symbol;  // null: not looked at (the fault lies in code without debug information)
    const char* sourceFile;
};

const CrashKind kKinds[] = {
    {"access-violation", 0xC0000005, "EXCEPTION_ACCESS_VIOLATION", "crashdemo.exe", "crashAccessViolation()",
     "CrashKinds.cpp"},
    {"divide-by-zero", 0xC0000094, "EXCEPTION_INT_DIVIDE_BY_ZERO", "crashdemo.exe", "crashDivideByZero()",
     "CrashKinds.cpp"},
    {"illegal-instruction", 0xC000001D, "EXCEPTION_ILLEGAL_INSTRUCTION", "crashdemo.exe",
     "crashIllegalInstruction()", "CrashKinds.cpp"},
    // The guard page is hit in the stack probe, which carries no debug information.
    {"stack-overflow", 0xC00000FD, "EXCEPTION_STACK_OVERFLOW", "crashdemo.exe", nullptr, nullptr},
    {"raise", 0xE0001234, nullptr, "kernelbase.dll", "RaiseException()", nullptr},
    {"cpp-exception", 0xE06D7363, "Microsoft C++ Exception", "kernelbase.dll", "RaiseException()", nullptr},
    {"second-thread", 0xC0000005, "EXCEPTION_ACCESS_VIOLATION", "crashdemo.exe", "crashAccessViolation()",
     "CrashKinds.cpp"},
    {"other-dll", 0xC0000005, "EXCEPTION_ACCESS_VIOLATION", "crashlib.dll", "crashInsideLibrary()",
     "CrashLibrary.cpp"},
};

std::string systemMessage(DWORD code)
{
    char text[64] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, GetModuleHandleA("ntdll.dll"), code,
                   0, text, sizeof text, nullptr);
    return text;
}

// "0x" and `digits` upper-case hexadecimal digits.
bool isHex(const std::string& text, std::size_t digits)
{
    return text.size() == 2 + digits && text.rfind("0x", 0) == 0 &&
           text.find_first_not_of("0123456789ABCDEF", 2) == std::string::npos;
}

// "0x%04X:" and 16 digits.
bool isSegmentedAddress(const std::string& text)
{
    return text.size() == 23 && isHex(text.substr(0, 6), 4) && text[6] == ':' && isHex("0x" + text.substr(7), 16);
}

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string hex8(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

class CrashKindTest : public ::testing::TestWithParam<CrashKind> {};

TEST_P(CrashKindTest, LeavesDumpAndReportAndShowsAlert)
{
    const CrashKind& k = GetParam();
    TempDir dir;
    const std::wstring report = dir.file(L"crash.xml");
    const std::wstring dump = dir.file(L"crash.dmp");
    const CrashOutcome outcome = runCrash({.kind = k.kind, .report = report, .dump = dump}, dir);

    ASSERT_TRUE(outcome.box.has_value()) << "no Alert box; exit code " << std::hex << outcome.exitCode.value_or(0);
    EXPECT_EQ(outcome.box->caption, L"Alert");
    EXPECT_TRUE(outcome.boxShowsIcon);
    EXPECT_EQ(outcome.exitCode, k.code);

    auto root = loadReport(report);
    ASSERT_TRUE(root.has_value());
    expectReportShape(*root);
    const XmlElement& exception = *root->child("Exception");
    EXPECT_EQ(exception.attribute("ExceptionCode"), hex8(k.code));
    EXPECT_EQ(exception.attribute("ExceptionDescription"), k.description ? k.description : systemMessage(k.code));
    EXPECT_EQ(exception.attribute("FilePath"), "crashdemo.exe");
    EXPECT_EQ(exception.attribute("ModuleName"), k.faultModule);
    const XmlElement& address = exception.children[0];
    EXPECT_TRUE(isSegmentedAddress(address.attribute("LinearAddress"))) << address.attribute("LinearAddress");
    EXPECT_EQ(address.attribute("LinearAddress").substr(0, 7), "0x0033:");
    EXPECT_TRUE(isSegmentedAddress(address.attribute("LogicalAddress"))) << address.attribute("LogicalAddress");
    EXPECT_NE(address.attribute("LogicalAddress").substr(0, 7), "0x0000:") << "no section found";
    const XmlElement& symbol = exception.children[1];
    if (k.symbol) {
        EXPECT_EQ(symbol.attribute("SymName"), k.symbol);
    }
    if (k.sourceFile) {
        EXPECT_THAT(symbol.attribute("SymFileName"), EndsWith(k.sourceFile));
        EXPECT_GT(std::stoi(symbol.attribute("SymLine")), 0);
        EXPECT_EQ(symbol.attribute("SymLine").size(), 4u);
    }

    // Our images lie above 4 GB: RIP needs all 16 digits. Raised exceptions stop in the system's
    // RaiseException instead.
    const std::string rip = root->child("Registers")->attribute("EIP");
    EXPECT_TRUE(isHex(rip, 16)) << rip;
    const std::string linear = address.attribute("LinearAddress");
    if (k.code != 0xE0001234 && k.code != 0xE06D7363) {
        EXPECT_GT(std::stoull(rip.substr(2), nullptr, 16), 0xFFFFFFFFull);
        EXPECT_EQ(rip.substr(2), linear.substr(7));
    }

    // The box text carries the code and the address the report gives.
    // (A message box shows its text without the final line break.)
    EXPECT_EQ(outcome.box->text, L"Unhandled exception occurred[" + widen(hex8(k.code)) + L"@0x" +
                                     widen(linear.substr(7)) +
                                     L"]\r\nAdditional exception information has been stored locally\r\nand "
                                     L"this application will be terminated.\r\n");

    DumpFile dumpFile(dump);
    ASSERT_TRUE(dumpFile.valid()) << "no dump";
    const auto dumped = dumpFile.exception();
    ASSERT_TRUE(dumped.has_value());
    EXPECT_EQ(dumped->ExceptionRecord.ExceptionCode, k.code);
    EXPECT_NE(outcome.crashingThread, 0u);
    EXPECT_EQ(dumped->ThreadId, outcome.crashingThread);
    const auto modules = dumpFile.modulePaths();
    EXPECT_TRUE(std::any_of(modules.begin(), modules.end(),
                            [](const std::wstring& path) { return path.ends_with(L"\\crashdemo.exe"); }));

    // The report lists the modules the dump writer reported, the demo program among them.
    const auto& listed = root->child("Modules")->children;
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [](const XmlElement& module) {
        return module.attribute("FullPath").ends_with("\\crashdemo.exe") &&
               module.attribute("BaseAddress") == "0x0000000140000000";
    }));
}

INSTANTIATE_TEST_SUITE_P(, CrashKindTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) {
                             std::string name = info.param.kind;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(CrashStack, SymbolsAndLinesOfTheCallersAreFilled)
{
    TempDir dir;
    const std::wstring report = dir.file(L"crash.xml");
    const CrashOutcome outcome = runCrash({.kind = "access-violation", .report = report, .dump = dir.file(L"d.dmp")}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    auto root = loadReport(report);
    ASSERT_TRUE(root.has_value());
    const auto& frames = root->child("StackTrace")->children;
    ASSERT_GE(frames.size(), 3u);
    const char* callers[] = {"crashAccessViolation()", "crashAs()", "main()"};
    for (int i = 0; i < 3; ++i) {
        const XmlElement& symbol = *frames[i].child("Symbol");
        EXPECT_EQ(symbol.attribute("SymName"), callers[i]);
        EXPECT_THAT(symbol.attribute("SymFileName"), EndsWith(i < 2 ? "CrashKinds.cpp" : "main.cpp"));
        EXPECT_NE(symbol.attribute("SymLine"), "0000");
        EXPECT_EQ(frames[i].attribute("ModuleName"), "crashdemo.exe");
        EXPECT_TRUE(isHex(frames[i].attribute("BaseFrame"), 16));
    }
    // Callers are reached through their return addresses, past the start of their symbol.
    EXPECT_NE(frames[1].child("Symbol")->attribute("SymNameDisp"), "0000");
}

}  // namespace
