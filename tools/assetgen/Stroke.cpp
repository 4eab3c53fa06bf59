#include "Stroke.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

void rasteriseStroke(const std::vector<StrokePoint>& points, int width, int height,
                     const StrokeVisitor& visit)
{
    if (points.size() < 2)
        return;
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const StrokePoint& p : points) {
        minX = std::min(minX, p.x - p.halfWidth);
        maxX = std::max(maxX, p.x + p.halfWidth);
        minY = std::min(minY, p.y - p.halfWidth);
        maxY = std::max(maxY, p.y + p.halfWidth);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)) - 1);
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(maxX)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)) - 1);
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(maxY)) + 1);
    const size_t segments = points.size() - 1;

    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            double best = 1e9;
            StrokeSample sample;
            for (size_t i = 0; i < segments; ++i) {
                const StrokePoint& a = points[i];
                const StrokePoint& b = points[i + 1];
                const double dx = b.x - a.x;
                const double dy = b.y - a.y;
                const double len2 = dx * dx + dy * dy;
                double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double qx = a.x + dx * t;
                const double qy = a.y + dy * t;
                const double dist = std::hypot(px - qx, py - qy);
                const double hw = a.halfWidth + (b.halfWidth - a.halfWidth) * t;
                const double d = dist - hw;
                if (d < best) {
                    best = d;
                    const double len = std::sqrt(len2);
                    const double side = len > 0 ? ((px - a.x) * dy - (py - a.y) * dx) / len : 0;
                    sample.along = (static_cast<double>(i) + t) / static_cast<double>(segments);
                    sample.across = hw > 0 ? std::clamp(side / hw, -1.0, 1.0) : 0;
                }
            }
            sample.coverage = std::clamp(0.5 - best, 0.0, 1.0);
            if (sample.coverage > 0)
                visit(x, y, sample);
        }
    }
}

std::vector<StrokePoint> curveStroke(double x0, double y0, double cx, double cy, double x1,
                                     double y1, double w0, double w1, double bulge, int steps)
{
    std::vector<StrokePoint> points;
    points.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double s = 1 - t;
        StrokePoint p;
        p.x = s * s * x0 + 2 * s * t * cx + t * t * x1;
        p.y = s * s * y0 + 2 * s * t * cy + t * t * y1;
        p.halfWidth = w0 + (w1 - w0) * t + bulge * std::sin(kPi * t);
        points.push_back(p);
    }
    return points;
}

} // namespace assetgen
