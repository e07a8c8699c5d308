// What the taken-over view posts to the host's notification window, and when.
#include <gtest/gtest.h>

#include <vector>

#include "HookLibrary.h"
#include "NotifyWindow.h"
#include "StandinShell.h"
#include "ViewPainting.h"

namespace {

constexpr WPARAM kKey = VK_F5;
constexpr LPARAM kKeyFlags = 0x003F0001;

class Notifications : public testing::Test {
protected:
    void SetUp() override
    {
        shell.setObserver(notify.handle());
        view = hook.start();
        ASSERT_EQ(view, shell.view());
    }

    StandinShell shell;
    HookLibrary hook;
    NotifyWindow notify;
    HWND view = nullptr;
};

TEST_F(Notifications, AKeyPressReachesTheViewFirstThenTheHost)
{
    setColor(view, notify.handle(), kMagenta);
    PostMessageW(view, WM_KEYDOWN, kKey, kKeyFlags);
    const std::vector<PostedMessage> expected = {{shell::kViewKeyDown, kKey, kKeyFlags},
                                                 {WM_DESKTOP_KEYDOWN, kKey, kKeyFlags}};
    EXPECT_EQ(notify.waitFor(2), expected);
}

TEST_F(Notifications, DestroyingTheViewTellsTheHostBeforeTheViewHandlesIt)
{
    setColor(view, notify.handle(), kMagenta);
    ASSERT_TRUE(shell.destroyView());
    const std::vector<PostedMessage> expected = {{WM_DESKTOP_DESTROYED, 0, 0}, {shell::kViewDestroy, 0, 0}};
    EXPECT_EQ(notify.waitFor(2), expected);
}

TEST_F(Notifications, NothingIsPostedBeforeANotificationWindowIsSet)
{
    PostMessageW(view, WM_KEYDOWN, kKey, kKeyFlags);
    ASSERT_EQ(notify.waitFor(1).size(), 1u);
    // The shell answers only after it has finished with the key press.
    shell.hasOwnProcedure();
    ASSERT_TRUE(shell.destroyView());
    const std::vector<PostedMessage> expected = {{shell::kViewKeyDown, kKey, kKeyFlags}, {shell::kViewDestroy, 0, 0}};
    EXPECT_EQ(notify.waitFor(2), expected);
    EXPECT_EQ(notify.drain(), expected);
}

TEST_F(Notifications, StopAfterTheViewIsGoneStillRemovesTheHook)
{
    ASSERT_TRUE(shell.destroyView());
    EXPECT_TRUE(hook.stop());
}

TEST_F(Notifications, AViewMadeAfterTheOldOneWentCanBeTakenOver)
{
    ASSERT_TRUE(shell.destroyView());
    ASSERT_TRUE(hook.stop());
    const HWND replacement = shell.createIconListView();
    ASSERT_NE(replacement, nullptr);
    EXPECT_EQ(hook.start(), replacement);
    EXPECT_FALSE(shell.hasOwnProcedure());
    EXPECT_TRUE(hook.stop());
    EXPECT_TRUE(shell.hasOwnProcedure());
}

}  // namespace
