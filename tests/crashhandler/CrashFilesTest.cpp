// Where the crash files go: numbered report names, an overwritten dump, a missing directory,
// default names, and a process without the debug-help library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "CrashRun.h"
#include "DumpFile.h"
#include "ReportChecks.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kOldReport = "<old report/>";

struct NumberedNameCase {
    const char* name;
    const wchar_t* reportName;
    std::vector<std::wstring> existing;
    const wchar_t* expected;
};

std::vector<std::wstring> numberedNames(const std::wstring& stem, const std::wstring& extension, int last)
{
    std::vector<std::wstring> names{stem + extension};
    for (int n = 1; n <= last; ++n)
        names.push_back(stem + L"(" + std::to_wstring(n) + L")" + extension);
    return names;
}

class ReportName : public ::testing::TestWithParam<NumberedNameCase> {};

TEST_P(ReportName, GoesToTheFirstFreeNumberedName)
{
    const NumberedNameCase& c = GetParam();
    TempDir dir;
    for (const auto& name : c.existing)
        writeFile(dir.file(name), kOldReport);
    const CrashOutcome outcome =
        runCrash({.kind = "access-violation", .report = dir.file(c.reportName), .dump = dir.file(L"d.dmp")}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    auto root = loadReport(dir.file(c.expected));
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(root->name, "CrashInfo");
    for (const auto& name : c.existing) {
        if (name != c.expected) {
            EXPECT_EQ(readFile(dir.file(name)), kOldReport) << narrow(name) << " was touched";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, ReportName,
                         ::testing::Values(
                             NumberedNameCase{"existing", L"crash.exc.xml", {L"crash.exc.xml"}, L"crash.exc(1).xml"},
                             NumberedNameCase{"two_existing", L"crash.xml", {L"crash.xml", L"crash(1).xml"},
                                              L"crash(2).xml"},
                             NumberedNameCase{"no_extension", L"crash", {L"crash"}, L"crash(1)"},
                             // After 1023 taken names the 1024th is used whether it exists or not.
                             NumberedNameCase{"all_taken", L"r.xml", numberedNames(L"r", L".xml", 1024),
                                              L"r(1024).xml"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DumpFile, ExistingDumpIsOverwritten)
{
    TempDir dir;
    const std::wstring dump = dir.file(L"crash.dmp");
    writeFile(dump, "not a dump");
    const CrashOutcome outcome = runCrash({.kind = "access-violation", .report = dir.file(L"r.xml"), .dump = dump}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    DumpFile file(dump);
    ASSERT_TRUE(file.valid());
    ASSERT_TRUE(file.exception().has_value());
    EXPECT_EQ(file.exception()->ExceptionRecord.ExceptionCode, 0xC0000005u);
}

TEST(DumpFile, MissingDirectoryGivesNoDumpAndAnEmptyModuleList)
{
    TempDir dir;
    const std::wstring dump = dir.file(L"missing\\crash.dmp");
    const std::wstring report = dir.file(L"r.xml");
    const CrashOutcome outcome = runCrash({.kind = "access-violation", .report = report, .dump = dump}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    EXPECT_EQ(outcome.exitCode, 0xC0000005u);
    EXPECT_FALSE(fileExists(dump));
    auto root = loadReport(report);
    ASSERT_TRUE(root.has_value());
    expectReportShape(*root);
    ASSERT_NE(root->child("Modules"), nullptr);
    EXPECT_THAT(root->child("Modules")->children, IsEmpty());
}

TEST(DefaultPaths, ExecutableWithoutExtensionKeepsItsOwnPath)
{
    TempDir dir;
    const std::wstring program = dir.file(L"player");
    ASSERT_TRUE(CopyFileW(demoProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(windowsPath(CRASHHANDLER_DLL).c_str(), dir.file(L"CorvaneCrashHandler64.dll").c_str(), FALSE));
    const CrashOutcome outcome = runCrash({.kind = "none", .expectBox = false, .program = program}, dir);
    EXPECT_EQ(outcome.exitCode, 0u);
    char full[MAX_PATH] = {};
    GetFullPathNameA(narrow(program).c_str(), MAX_PATH, full, nullptr);
    EXPECT_THAT(outcome.debugLines, ::testing::Contains(std::string("dump:   ") + full));
    EXPECT_THAT(outcome.debugLines, ::testing::Contains(std::string("report: ") + full));
}

TEST(DefaultPaths, DotInTheDirectoryDoesNotMoveTheFiles)
{
    TempDir dir;
    const std::wstring appDir = dir.file(L"app.v2");
    ASSERT_TRUE(CreateDirectoryW(appDir.c_str(), nullptr));
    const std::wstring program = appDir + L"\\player";
    ASSERT_TRUE(CopyFileW(demoProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(windowsPath(CRASHHANDLER_DLL).c_str(), (appDir + L"\\CorvaneCrashHandler64.dll").c_str(), FALSE));
    const CrashOutcome outcome = runCrash({.kind = "none", .expectBox = false, .program = program}, dir);
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_THAT(outcome.debugLines, ::testing::Contains("report: " + narrow(program)));
}

TEST(DefaultPaths, CrashWritesBesideTheExecutable)
{
    TempDir dir;
    const std::wstring program = dir.file(L"Lumox64.exe");
    ASSERT_TRUE(CopyFileW(demoProgram().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(windowsPath(CRASHHANDLER_DLL).c_str(), dir.file(L"CorvaneCrashHandler64.dll").c_str(), FALSE));
    const CrashOutcome outcome = runCrash({.kind = "access-violation", .program = program}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    EXPECT_TRUE(DumpFile(dir.file(L"Lumox64.exc.dmp")).exception().has_value());
    EXPECT_TRUE(loadReport(dir.file(L"Lumox64.exc.xml")).has_value());
}

const char* const kOverflowLines[] = {"!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!", "EXCEPTION_STACK_OVERFLOW occurred",
                                      "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"};

std::vector<std::string> linesAfterTheAnnouncement(const CrashOutcome& outcome)
{
    std::vector<std::string> lines;
    for (const auto& line : outcome.debugLines)
        if (line.rfind("crashdemo: ", 0) != 0 && line.rfind("dump:", 0) != 0 && line.rfind("report:", 0) != 0)
            lines.push_back(line);
    return lines;
}

TEST(StackOverflow, WritesThreeDebuggerLines)
{
    TempDir dir;
    const CrashOutcome outcome =
        runCrash({.kind = "stack-overflow", .report = dir.file(L"r.xml"), .dump = dir.file(L"d.dmp")}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    EXPECT_THAT(linesAfterTheAnnouncement(outcome), ElementsAre(kOverflowLines[0], kOverflowLines[1], kOverflowLines[2]));
}

// A process without a filter of its own keeps the library's filter after the reset: no files,
// no box, but the stack overflow is still announced.
TEST(StackOverflow, AfterResetWithoutEarlierFilterOnlyTheLinesAppear)
{
    TempDir dir;
    const std::wstring report = dir.file(L"r.xml");
    const std::wstring dump = dir.file(L"d.dmp");
    const CrashOutcome outcome = runCrash({.kind = "stack-overflow",
                                           .report = report,
                                           .dump = dump,
                                           .flags = {L"--no-own-filter", L"--reset", L"--end-on-overflow"},
                                           .expectBox = false},
                                          dir);
    EXPECT_EQ(outcome.exitCode, 0xC00000FDu);
    EXPECT_THAT(linesAfterTheAnnouncement(outcome), ElementsAre(kOverflowLines[0], kOverflowLines[1], kOverflowLines[2]));
    EXPECT_FALSE(fileExists(report));
    EXPECT_FALSE(fileExists(dump));
}

struct DisarmedCase {
    const char* name;
    std::string kind;
    std::vector<std::wstring> flags;
};

class Disarmed : public ::testing::TestWithParam<DisarmedCase> {};

TEST_P(Disarmed, CrashLeavesNoFilesAndNoBox)
{
    TempDir dir;
    const std::wstring report = dir.file(L"r.xml");
    const std::wstring dump = dir.file(L"d.dmp");
    const CrashOutcome outcome =
        runCrash({.kind = GetParam().kind, .report = report, .dump = dump, .flags = GetParam().flags, .expectBox = false},
                 dir);
    EXPECT_TRUE(outcome.exitCode.has_value()) << "the process did not end";
    EXPECT_FALSE(fileExists(report));
    EXPECT_FALSE(fileExists(dump));
}

INSTANTIATE_TEST_SUITE_P(, Disarmed,
                         ::testing::Values(DisarmedCase{"reset_to_own_filter", "access-violation", {L"--reset"}},
                                           DisarmedCase{"reset_without_filter", "access-violation",
                                                        {L"--no-own-filter", L"--reset"}},
                                           // A fault inside the callback ends the crash processing.
                                           DisarmedCase{"faulting_callback", "access-violation",
                                                        {L"--faulting-callback"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
