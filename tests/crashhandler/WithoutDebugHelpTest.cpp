// This program runs with dbghelp.dll made unloadable (Wine takes its DLL overrides from the
// environment the process starts with, which the crash child inherits).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "CrashRun.h"
#include "ReportChecks.h"

using ::testing::IsEmpty;

namespace {

TEST(WithoutDebugHelp, TheLibraryIsReallyMissing)
{
    EXPECT_EQ(LoadLibraryA("dbghelp.dll"), nullptr);
}

// With dbghelp.dll unloadable the description takes full paths, the frame-pointer chain is
// walked, and no dump can be written.
TEST(WithoutDebugHelp, FallbacksFillTheReport)
{
    TempDir dir;
    const std::wstring report = dir.file(L"r.xml");
    const std::wstring dump = dir.file(L"d.dmp");
    const CrashOutcome outcome = runCrash({.kind = "access-violation", .report = report, .dump = dump}, dir);
    ASSERT_TRUE(outcome.box.has_value());
    EXPECT_EQ(outcome.exitCode, 0xC0000005u);
    EXPECT_FALSE(fileExists(dump));
    auto root = loadReport(report);
    ASSERT_TRUE(root.has_value());
    expectReportShape(*root);

    char executable[MAX_PATH] = {};
    GetFullPathNameA(narrow(demoProgram()).c_str(), MAX_PATH, executable, nullptr);
    const XmlElement& exception = *root->child("Exception");
    EXPECT_EQ(exception.attribute("ExceptionDescription"), "EXCEPTION_ACCESS_VIOLATION");
    EXPECT_EQ(exception.attribute("FilePath"), executable);
    EXPECT_EQ(exception.attribute("ModuleName"), executable);
    EXPECT_EQ(exception.child("Symbol")->attribute("SymName"), "()");
    EXPECT_THAT(root->child("Modules")->children, IsEmpty());

    // crashAccessViolation, crashAs and main keep frame pointers: at least those three frames.
    const auto& frames = root->child("StackTrace")->children;
    ASSERT_GE(frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(frames[i].attribute("ModuleName"), executable);
        EXPECT_NE(frames[i].child("Address")->attribute("LogicalAddress").substr(0, 7), "0x0000:");
        EXPECT_EQ(frames[i].child("Symbol")->attribute("SymName"), "()");
    }
    EXPECT_EQ(frames[0].child("Address")->attribute("LinearAddress"),
              exception.child("Address")->attribute("LinearAddress"));
}

}  // namespace
