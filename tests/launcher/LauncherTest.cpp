// The launcher programs run as child processes beside stand-in engines.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "LauncherHarness.h"
#include "MessageBoxProbe.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

constexpr DWORD kTimeoutMs = 20000;

// Waits for the "Error" box, checks it, presses OK and returns the exit code.
DWORD expectMissingEngineBox(LauncherRun& run)
{
    auto box = waitForMessageBox(run.process().id(), kTimeoutMs);
    EXPECT_TRUE(box.has_value()) << "no message box appeared";
    if (!box)
        return 0xFFFFFFFF;
    EXPECT_EQ(box->caption, L"Error");
    EXPECT_EQ(box->text, L"Cannot find Lumox.dll");
    EXPECT_TRUE(dismissMessageBox(*box));
    return run.process().wait(kTimeoutMs).value_or(0xFFFFFFFF);
}

std::string attachLine(const std::wstring& directory)
{
    const std::wstring path = directory + L"\\Lumox64.dll";
    return "attach path=" + std::string(path.begin(), path.end());
}

}  // namespace

TEST(Launcher, MissingEngineShowsErrorBoxAndExitsWithZero)
{
    LauncherRun run({.engine = Engine::None});
    EXPECT_EQ(expectMissingEngineBox(run), 0u);
}

TEST(Launcher, PartialEngineShowsErrorBoxCallsNothingAndIsUnloaded)
{
    LauncherRun run({.engine = Engine::Partial});
    EXPECT_EQ(expectMissingEngineBox(run), 0u);
    EXPECT_THAT(run.engineLog(), ElementsAre(attachLine(run.directory()), "detach"));
}

// An engine that declines to go on: no player runs, UninitLumox is still called, exit code 0.
struct EarlyEndCase {
    const char* name;
    Engine engine;
    std::vector<std::string> afterPreprocess;  // the log after the PreprocessCmdLineExW line
};

class LauncherEarlyEnd : public ::testing::TestWithParam<EarlyEndCase> {};

TEST_P(LauncherEarlyEnd, UninitialisesAndExitsWithZero)
{
    LauncherRun run({.engine = GetParam().engine});
    EXPECT_EQ(run.process().wait(kTimeoutMs), 0u);
    const auto log = run.engineLog();
    ASSERT_EQ(log.size(), 2 + GetParam().afterPreprocess.size());
    EXPECT_THAT(log[1], StartsWith("PreprocessCmdLineExW "));
    EXPECT_THAT(std::vector<std::string>(log.begin() + 2, log.end()), ElementsAreArray(GetParam().afterPreprocess));
}

INSTANTIATE_TEST_SUITE_P(
    , LauncherEarlyEnd,
    ::testing::Values(EarlyEndCase{"PreprocessReturnsZero", Engine::Preprocess0, {"UninitLumox", "detach"}},
                      EarlyEndCase{"CreateReturnsNull", Engine::CreateNull,
                                   {"CreateLumoxExW args=0,0 flags=0", "UninitLumox", "detach"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NormalRunCase {
    const char* name;
    Build build;
    const wchar_t* programName;
    std::optional<WORD> showWindow;
    const char* expectedShow;
    const char* expectedFlag;
    const char* expectedCreate;
};

class LauncherNormalRun : public ::testing::TestWithParam<NormalRunCase> {};

// The whole sequence with its arguments; the process ends through TerminateProcess, so the
// engine never sees a detach notification.
TEST_P(LauncherNormalRun, DrivesEngineInOrderAndTerminates)
{
    const auto& c = GetParam();
    LauncherRun run({.build = c.build, .engine = Engine::Full, .programName = c.programName,
                     .arguments = L"-play \"C:\\My Music\\a b.flac\"  --x", .showWindow = c.showWindow});
    EXPECT_EQ(run.process().wait(kTimeoutMs), 0u);
    EXPECT_THAT(run.engineLog(),
                ElementsAreArray({
                    attachLine(run.directory()),
                    std::string("PreprocessCmdLineExW instance=launcher cmdline=[-play \"C:\\My Music\\a b.flac\"  --x] show=") +
                        c.expectedShow + " flag=" + c.expectedFlag + " com=sta",
                    std::string("CreateLumoxExW args=0,0 flags=") + c.expectedCreate,
                    std::string("RunLumox"),
                    std::string("DestroyLumox player=created"),
                    std::string("UninitLumox"),
                }));
}

INSTANTIATE_TEST_SUITE_P(
    Builds, LauncherNormalRun,
    ::testing::Values(
        NormalRunCase{"FullDefaultShow", Build::Full, L"Lumox64.exe", std::nullopt, "10", "0", "0"},
        NormalRunCase{"FullGivenShow", Build::Full, L"Lumox64.exe", WORD(SW_SHOWMINNOACTIVE), "7", "0", "0"},
        NormalRunCase{"MiniDefaultShow", Build::Mini, L"LumoxMini64.exe", std::nullopt, "10", "1", "3"},
        NormalRunCase{"FullRenamed", Build::Full, L"Something Else.exe", std::nullopt, "10", "0", "0"},
        NormalRunCase{"MiniRenamedAsFull", Build::Mini, L"Lumox64.exe", WORD(SW_SHOWNORMAL), "1", "1", "3"}),
    [](const auto& info) { return std::string(info.param.name); });

// A directory so long that "Lumox64.dll" no longer fits into the 260-character path buffer
// names no engine, even when one lies there; one character less still fits.
struct LongPathCase {
    const char* name;
    std::size_t directoryChars;
    bool engineFits;
};

class LauncherLongPath : public ::testing::TestWithParam<LongPathCase> {};

TEST_P(LauncherLongPath, EngineNameMustFitTheBuffer)
{
    const auto& c = GetParam();
    TempDir temp;
    std::wstring dir = temp.path();
    while (dir.size() < c.directoryChars) {
        const std::size_t room = c.directoryChars - dir.size() - 1;  // minus the backslash
        dir += L"\\" + std::wstring(std::min<std::size_t>(room, 60), L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + dir).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ASSERT_EQ(dir.size(), c.directoryChars);

    LauncherRun run({.engine = Engine::Full, .programName = L"L.exe"}, dir);
    if (c.engineFits) {
        EXPECT_EQ(run.process().wait(kTimeoutMs), 0u);
        EXPECT_THAT(run.engineLog().at(0), HasSubstr("attach path="));
    } else {
        EXPECT_EQ(expectMissingEngineBox(run), 0u);
        EXPECT_TRUE(run.engineLog().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, LauncherLongPath,
                         ::testing::Values(LongPathCase{"JustFits", 247, true},
                                           LongPathCase{"OneTooLong", 248, false}),
                         [](const auto& info) { return std::string(info.param.name); });
