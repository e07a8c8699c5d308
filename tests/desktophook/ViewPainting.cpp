#include "ViewPainting.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace {

struct Probe {
    int x, y;
    bool inside = false;
};

// Points just inside and just outside each corner of `area`, the centre, and the view's corners.
std::vector<Probe> probesAround(const RECT& area)
{
    RECT clipped;
    IntersectRect(&clipped, &area, &kWholeView);
    const int l = clipped.left, t = clipped.top, r = clipped.right - 1, b = clipped.bottom - 1;
    std::vector<Probe> probes = {{l, t}, {r, t}, {l, b}, {r, b}, {(l + r) / 2, (t + b) / 2},
                                 {l - 1, t}, {l, t - 1}, {r + 1, b}, {r, b + 1},
                                 {0, 0}, {799, 599}, {799, 0}, {0, 599}, {400, 300}};
    for (auto& p : probes)
        p.inside = PtInRect(&clipped, POINT{p.x, p.y}) != FALSE;
    std::erase_if(probes, [](const Probe& p) { return !PtInRect(&kWholeView, POINT{p.x, p.y}); });
    return probes;
}

}  // namespace

void expectErasePaints(const StandinShell& shell, const RECT& area, COLORREF fill, COLORREF background)
{
    ASSERT_TRUE(shell.render());
    for (const Probe& p : probesAround(area))
        EXPECT_EQ(shell.pixel(p.x, p.y), p.inside ? fill : background) << "at " << p.x << "," << p.y;
}

void expectPlainErase(const StandinShell& shell, COLORREF background)
{
    expectErasePaints(shell, RECT{}, background, background);
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::ostream& operator<<(std::ostream& out, const RECT& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
