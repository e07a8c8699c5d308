// Which window StartDeskTopHook takes over, and the exports' answers when there is none.
#include <gtest/gtest.h>

#include <string>

#include "HookLibrary.h"
#include "NotifyWindow.h"
#include "StandinShell.h"
#include "ViewPainting.h"

namespace {

std::string classNameOf(HWND window)
{
    char name[100] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(ViewSearch, TheActiveDesktopViewWinsOverTheIconListView)
{
    const StandinShell shell({L"--active-desktop"});
    const HookLibrary hook;
    EXPECT_EQ(hook.start(), shell.view(shell::kActiveDesktopView));
    EXPECT_FALSE(shell.hasOwnProcedure(shell::kActiveDesktopView));
    EXPECT_TRUE(shell.hasOwnProcedure(shell::kIconListView));
    EXPECT_TRUE(hook.stop());
    EXPECT_TRUE(shell.hasOwnProcedure(shell::kActiveDesktopView));
}

class LookAlikeView : public testing::TestWithParam<const wchar_t*> {};

TEST_P(LookAlikeView, IsNotTakenForTheIconListView)
{
    const StandinShell shell({L"--look-alike", GetParam()});
    const std::wstring wide = GetParam();
    // Class names are atoms shared by every process of the Wine server: the look-alike reads
    // back as spelled only while no other process has a class of that name in another case
    // (these tests have a server of their own and run one at a time).
    ASSERT_EQ(classNameOf(shell.view()), std::string(wide.begin(), wide.end()));
    const HookLibrary hook;
    EXPECT_EQ(hook.start(), nullptr);
    EXPECT_EQ(hook.stop(), FALSE);
    shell.sendTakeOverSignal();
    EXPECT_TRUE(shell.hasOwnProcedure());
}

INSTANTIATE_TEST_SUITE_P(Classes, LookAlikeView,
                         testing::Values(L"syslistview32", L"SysListView32x", L"SysListView3"));

TEST(ViewSearch, NoProgramManagerMeansNoViewAndNoHook)
{
    const HookLibrary hook;
    EXPECT_EQ(hook.start(), nullptr);
    EXPECT_EQ(hook.stop(), FALSE);
}

TEST(ViewSearch, AProgManWindowWithAnotherTitleIsNotTheDesktop)
{
    const StandinShell shell({L"--title", L"Desktop"});
    const HookLibrary hook;
    EXPECT_EQ(hook.start(), nullptr);
    shell.sendTakeOverSignal();
    EXPECT_TRUE(shell.hasOwnProcedure());
}

TEST(ViewSearch, StopWithoutStartReturnsFalse)
{
    const StandinShell shell;
    const HookLibrary hook;
    EXPECT_EQ(hook.stop(), FALSE);
    EXPECT_TRUE(shell.hasOwnProcedure());
}

TEST(ViewSearch, SecondStopReturnsFalse)
{
    const StandinShell shell;
    const HookLibrary hook;
    ASSERT_NE(hook.start(), nullptr);
    EXPECT_TRUE(hook.stop());
    EXPECT_EQ(hook.stop(), FALSE);
    EXPECT_TRUE(shell.hasOwnProcedure());
}

TEST(ViewSearch, SecondStartReplacesTheHookWithoutTakingTheViewOverTwice)
{
    const StandinShell shell;
    const HookLibrary hook;
    const NotifyWindow notify;
    const HWND view = hook.start();
    ASSERT_EQ(hook.start(), view);
    // A second take-over would make the view's procedure call itself on every message.
    setColor(view, notify.handle(), kMagenta);
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    expectErasePaints(shell, kArea, kMagenta);
    EXPECT_TRUE(hook.stop());
    EXPECT_TRUE(shell.hasOwnProcedure());
    // Neither the first hook nor the second is left to react to the signal.
    shell.sendTakeOverSignal();
    EXPECT_TRUE(shell.hasOwnProcedure());
}

}  // namespace
