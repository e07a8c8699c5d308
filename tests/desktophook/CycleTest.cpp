// Many start/stop cycles leave nothing behind in either process.
#include <gtest/gtest.h>

#include "GdiObjectCount.h"
#include "HookLibrary.h"
#include "NotifyWindow.h"
#include "StandinShell.h"
#include "ViewPainting.h"

namespace {

TEST(StartStopCycles, LeaveNoHookNoTakeOverAndNoGdiObjectBehind)
{
    const StandinShell shell;
    const HookLibrary hook;
    const NotifyWindow notify;
    const HWND view = shell.view();
    // One cycle first, so that both processes have loaded what the hook needs.
    ASSERT_EQ(hook.start(), view);
    ASSERT_TRUE(hook.stop());
    const std::size_t shellObjects = shell.gdiObjects();
    const std::size_t ownObjects = gdiObjectCount();

    for (int cycle = 0; cycle < 1000; ++cycle) {
        ASSERT_EQ(hook.start(), view) << "cycle " << cycle;
        setColor(view, notify.handle(), kMagenta);
        setArea(view, kAreaTopLeft, kAreaBottomRight);
        ASSERT_TRUE(shell.render());
        ASSERT_EQ(shell.pixel(kArea.left, kArea.top), kMagenta) << "cycle " << cycle;
        ASSERT_TRUE(hook.stop()) << "cycle " << cycle;
    }

    EXPECT_TRUE(shell.hasOwnProcedure());
    shell.sendTakeOverSignal();
    EXPECT_TRUE(shell.hasOwnProcedure()) << "a hook was left in place";
    EXPECT_EQ(shell.gdiObjects(), shellObjects);
    EXPECT_EQ(gdiObjectCount(), ownObjects);
}

}  // namespace
