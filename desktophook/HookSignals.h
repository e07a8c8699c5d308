#pragma once
// The private commands the exports send to the view as WM_SYSCOMMAND. The default window
// procedure hands them to the CBT hook as HCBT_SYSCOMMAND on the view's own thread, where the
// hook can swap the view's window procedure.
#include <windows.h>

constexpr WPARAM kSignalCommand = 0xFFF0;
constexpr LPARAM kTakeOverSignal = 0x8881;
constexpr LPARAM kGiveBackSignal = 0x8880;
