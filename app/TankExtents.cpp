#include "TankExtents.h"

#include <cmath>

namespace {

struct ListedScreen {
    int width, height;
    float xHalf; // base tankXMax; tankXMin is its negative
};

constexpr ListedScreen kListedScreens[] = {
    {800, 600, 29},   {1024, 768, 29},  {1280, 960, 29}, {1280, 1024, 29},
    {1440, 900, 35},  {1600, 900, 38},  {1680, 1050, 34},
};

const ListedScreen &closestListedScreen(int w, int h)
{
    const ListedScreen *best = &kListedScreens[0];
    if (w <= 0 || h <= 0)
        return *best;
    const double aspect = double(w) / h;
    const double area = double(w) * h;
    double bestAspect = 1e300, bestArea = 1e300;
    for (const ListedScreen &s : kListedScreens) {
        if (s.width == w && s.height == h)
            return s;
        // Compare aspect ratios on a log scale so 4:3 vs 16:9 is symmetric; round to
        // avoid float noise turning equal ratios (800x600, 1024x768) into a false order.
        const double da = std::round(std::fabs(std::log(double(s.width) / s.height / aspect)) * 1e9);
        const double dr = std::fabs(double(s.width) * s.height - area);
        if (da < bestAspect || (da == bestAspect && dr < bestArea)) {
            best = &s;
            bestAspect = da;
            bestArea = dr;
        }
    }
    return *best;
}

} // namespace

TankExtents tankExtentsForScreen(int widthPx, int heightPx)
{
    const ListedScreen &s = closestListedScreen(widthPx, heightPx);
    TankExtents t;
    t.xMin = -s.xHalf - 20;
    t.xMax = s.xHalf + 20;
    t.yMax = 21;
    t.yMin = -21;
    t.zBack = -50;
    return t;
}
