// The view taken over in the shell's process: its erase paints the colour into the area.
#include <gtest/gtest.h>

#include "HookLibrary.h"
#include "NotifyWindow.h"
#include "StandinShell.h"
#include "ViewPainting.h"

namespace {

class TakeOver : public testing::Test {
protected:
    void SetUp() override
    {
        view = hook.start();
        ASSERT_EQ(view, shell.view());
        shell.takePaintedArea();  // whatever the shell still had to paint
    }

    StandinShell shell;
    HookLibrary hook;
    NotifyWindow notify;
    HWND view = nullptr;
};

TEST_F(TakeOver, StartReplacesTheViewProcedureAndStopPutsItBack)
{
    EXPECT_FALSE(shell.hasOwnProcedure());
    EXPECT_TRUE(hook.stop());
    EXPECT_TRUE(shell.hasOwnProcedure());
}

TEST_F(TakeOver, NothingIsPaintedBeforeAColourIsSet)
{
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    expectPlainErase(shell);
}

TEST_F(TakeOver, EraseFillsExactlyTheAreaAfterTheViewsOwnErase)
{
    setColor(view, notify.handle(), kMagenta);
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    expectErasePaints(shell, kArea, kMagenta);
}

TEST_F(TakeOver, ColourZeroTurnsPaintingOff)
{
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    setColor(view, notify.handle(), kMagenta);
    setColor(view, notify.handle(), 0);
    expectPlainErase(shell);
}

TEST_F(TakeOver, ChangingColourOrAreaRepaintsNothing)
{
    setColor(view, notify.handle(), kMagenta);
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    EXPECT_EQ(shell.takePaintedArea(), RECT{});
}

TEST_F(TakeOver, GivingTheViewBackRepaintsExactlyTheArea)
{
    setColor(view, notify.handle(), kMagenta);
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    ASSERT_TRUE(hook.stop());
    EXPECT_EQ(shell.takePaintedArea(), kArea);
    expectPlainErase(shell);
}

TEST_F(TakeOver, ANewTakeOverClearsTheColourAndKeepsTheArea)
{
    setColor(view, notify.handle(), kMagenta);
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    ASSERT_TRUE(hook.stop());
    ASSERT_EQ(hook.start(), view);
    expectPlainErase(shell);
    setColor(view, notify.handle(), kMagenta);
    expectErasePaints(shell, kArea, kMagenta);
}

TEST_F(TakeOver, OnlyTheLow32BitsOfTheColourCount)
{
    setArea(view, kAreaTopLeft, kAreaBottomRight);
    setColor(view, notify.handle(), static_cast<LPARAM>(0x12345678'0000FF00));
    expectErasePaints(shell, kArea, RGB(0, 255, 0));
}

struct AreaCase {
    WPARAM topLeft;
    LPARAM bottomRight;
    RECT area;
};

class AreaPacking : public TakeOver, public testing::WithParamInterface<AreaCase> {};

TEST_P(AreaPacking, XInTheHighWordYInTheLowWordUnsigned)
{
    setColor(view, notify.handle(), kMagenta);
    setArea(view, GetParam().topLeft, GetParam().bottomRight);
    expectErasePaints(shell, GetParam().area, kMagenta);
}

INSTANTIATE_TEST_SUITE_P(Cases, AreaPacking, testing::Values(
    AreaCase{kAreaTopLeft, kAreaBottomRight, kArea},
    AreaCase{0x00320064, 0x019001F4, {50, 100, 400, 500}},
    // 0xFFFF is 65535, not -1: the whole view.
    AreaCase{0x00000000, static_cast<LPARAM>(0xFFFFFFFF), {0, 0, 65535, 65535}},
    // Bits above 31 are not part of a coordinate.
    AreaCase{static_cast<WPARAM>(0xABCD0000'00640032), static_cast<LPARAM>(0x00010000'01F40190), kArea}));

}  // namespace
