#include "BackgroundSurface.h"

#include "Settings.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kSwayStep = 0.008f;
constexpr float kSwayHigh = 1.0f;
constexpr float kSwayLow = -0.5f;
constexpr double kSurfaceDepth = -90.0;

// Heights of the six rows, top to bottom: 39 - 15.4 r, each a single-precision value.
constexpr float kRowHeight[BackgroundSurface::kGridSize] = {39.0f, 23.6f, 8.2f,
                                                            -7.2f, -22.6f, -38.0f};

} // namespace

void BackgroundSurface::updateControlGrid(float xMin, float xMax, int backgroundSetting)
{
    if (backgroundSetting == 0 || backgroundSetting == 2) {
        swayOffset = swayRising ? swayOffset + kSwayStep : swayOffset - kSwayStep;
        if (swayOffset > kSwayHigh)
            swayRising = false;
        if (swayOffset < kSwayLow)
            swayRising = true;
    }
    layOutControlGrid(xMin, xMax);
}

void BackgroundSurface::layOutControlGrid(float xMin, float xMax)
{
    const double s = swayOffset;
    for (int k = 0; k < kGridSize; ++k) {
        const double columnX = xMin + k * 0.2 * (double(xMax) - double(xMin));
        for (int r = 0; r < kGridSize; ++r) {
            SurfacePoint &p = controlGrid[r][k];
            p.y = kRowHeight[r];
            if (r < 2) {
                // The upper rows swing sideways with the sway; in depth the even
                // columns follow it and the odd ones go the other way, so the top
                // edge ripples as it swings.
                p.x = columnX + s;
                p.z = (k % 2 == 0) ? kSurfaceDepth + s : kSurfaceDepth - s;
            } else {
                p.x = columnX;
                p.z = kSurfaceDepth;
            }
        }
    }
    subdivisions = 2;
}

SurfacePoint bezierPoint(const SurfacePoint (&q)[BackgroundSurface::kGridSize], double t)
{
    const double a = 1.0 - t;
    const double w[BackgroundSurface::kGridSize] = {
        std::pow(t, 5),
        5 * std::pow(t, 4) * a,
        10 * std::pow(t, 3) * std::pow(a, 2),
        10 * std::pow(t, 2) * std::pow(a, 3),
        5 * t * std::pow(a, 4),
        std::pow(a, 5),
    };
    SurfacePoint p;
    for (int i = 0; i < BackgroundSurface::kGridSize; ++i) {
        p.x += w[i] * q[i].x;
        p.y += w[i] * q[i].y;
        p.z += w[i] * q[i].z;
    }
    return p;
}

SurfacePoint BackgroundSurface::surfacePoint(double u, double v) const
{
    SurfacePoint rows[kGridSize];
    for (int r = 0; r < kGridSize; ++r)
        rows[r] = bezierPoint(controlGrid[r], u);
    return bezierPoint(rows, v);
}

std::vector<std::vector<SurfaceVertex>> BackgroundSurface::strips() const
{
    std::vector<std::vector<SurfaceVertex>> result;
    const int n = subdivisions;
    if (n < 1)
        return result;

    // Each strip joins the previous column of points to the current one; the first
    // strip's "previous" column is column 0 itself.
    std::vector<SurfacePoint> previous(n + 1);
    for (int j = 0; j <= n; ++j)
        previous[j] = surfacePoint(0.0, double(j) / n);

    result.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double u = double(i) / n;
        std::vector<SurfaceVertex> strip;
        strip.reserve(2 * (n + 1));
        for (int j = 0; j <= n; ++j) {
            const double v = double(j) / n;
            strip.push_back({float(double(i - 1) / n), float(v), previous[j]});
            const SurfacePoint p = surfacePoint(u, v);
            strip.push_back({float(u), float(v), p});
            previous[j] = p;
        }
        result.push_back(std::move(strip));
    }
    return result;
}

std::vector<SurfacePoint> BackgroundSurface::outline() const
{
    std::vector<SurfacePoint> loop;
    const int n = subdivisions;
    if (n < 1)
        return loop;
    // The same parameters strips() evaluates, so the same points.
    auto at = [&](int i, int j) { return surfacePoint(double(i) / n, double(j) / n); };
    for (int i = 0; i < n; ++i)
        loop.push_back(at(i, 0));
    for (int j = 0; j < n; ++j)
        loop.push_back(at(n, j));
    for (int i = n; i > 0; --i)
        loop.push_back(at(i, n));
    for (int j = n; j > 0; --j)
        loop.push_back(at(0, j));
    return loop;
}

namespace {

// Whether the segment a-b passes through the rectangle x0..x1 x y0..y1 (Liang-Barsky).
bool segmentMeetsRect(WindowPoint a, WindowPoint b, double x0, double y0, double x1, double y1)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Winding number of the closed loop around point c.
int windingAround(const std::vector<WindowPoint> &loop, WindowPoint c)
{
    int winding = 0;
    for (size_t i = 0; i < loop.size(); ++i) {
        const WindowPoint a = loop[i], b = loop[(i + 1) % loop.size()];
        const double side = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (a.y <= c.y && b.y > c.y && side > 0)
            ++winding;
        else if (a.y > c.y && b.y <= c.y && side < 0)
            --winding;
    }
    return winding;
}

} // namespace

bool loopEnclosesRect(const std::vector<WindowPoint> &loop, double width, double height,
                      double margin)
{
    if (loop.size() < 3)
        return false;
    for (size_t i = 0; i < loop.size(); ++i)
        if (segmentMeetsRect(loop[i], loop[(i + 1) % loop.size()], -margin, -margin,
                             width + margin, height + margin))
            return false;
    return windingAround(loop, {width / 2, height / 2}) != 0;
}

bool backgroundSurfaceShown(const AquariumSettings &s)
{
    return s.background == 0 && s.showTerra != 0;
}

unsigned surfacePictureTexture(bool ownImageOn, int currentOwnTexture, unsigned builtInTexture)
{
    if (!ownImageOn)
        return builtInTexture;
    return currentOwnTexture < 0 ? 0u : unsigned(currentOwnTexture);
}

void stepBackgroundSurface(BackgroundSurface &surface, float tankXMin, float tankXMax,
                           const AquariumSettings &current)
{
    if (backgroundSurfaceShown(current))
        surface.updateControlGrid(tankXMin, tankXMax, current.background);
}
