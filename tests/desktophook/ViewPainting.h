#pragma once
// What the tests send to a taken-over view and how they read back what its erase painted.
#include <gtest/gtest.h>

#include <windows.h>

#include "StandinShell.h"
#include "Tessar64.h"

constexpr COLORREF kMagenta = 0x00FF00FF;
constexpr RECT kArea = {100, 50, 500, 400};
constexpr WPARAM kAreaTopLeft = 0x00640032;
constexpr LPARAM kAreaBottomRight = 0x01F40190;
// The shell's views are 800 x 600.
constexpr RECT kWholeView = {0, 0, 800, 600};

inline void setColor(HWND view, HWND notify, LPARAM color)
{
    SendMessageW(view, WM_DESKTOP_SETCOLOR, reinterpret_cast<WPARAM>(notify), color);
}

inline void setArea(HWND view, WPARAM topLeft, LPARAM bottomRight)
{
    SendMessageW(view, WM_DESKTOP_SETAREA, topLeft, bottomRight);
}

// Renders the view's erase and checks `area` (clipped to the view) has `fill` just inside each
// edge and the view's own background just outside.
void expectErasePaints(const StandinShell& shell, const RECT& area, COLORREF fill,
                       COLORREF background = shell::kIconListBackground);
// Renders the view's erase and checks it shows only the view's own background.
void expectPlainErase(const StandinShell& shell, COLORREF background = shell::kIconListBackground);

bool operator==(const RECT& a, const RECT& b);
std::ostream& operator<<(std::ostream& out, const RECT& r);
