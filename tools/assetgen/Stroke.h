#pragma once

#include <functional>
#include <vector>

// Anti-aliased rasteriser for tapered strokes (plant stalks, leaves, grass blades): a
// polyline whose half-width varies along it. For every pixel the stroke touches it
// reports the coverage (0..1, one pixel of soft edge) and where the pixel lies on the
// stroke, so the caller can shade along and across it.
namespace assetgen {

struct StrokePoint {
    double x = 0;
    double y = 0;
    double halfWidth = 0; // pixels
};

struct StrokeSample {
    double coverage = 0; // 0..1
    double along = 0;    // 0 at the first point, 1 at the last
    double across = 0;   // -1 .. 1 from one side of the stroke to the other
};

using StrokeVisitor = std::function<void(int x, int y, const StrokeSample& sample)>;

// Visits every pixel of a width x height picture that the stroke covers.
void rasteriseStroke(const std::vector<StrokePoint>& points, int width, int height,
                     const StrokeVisitor& visit);

// A quadratic curve from p0 through control c to p1, split into `steps` segments, its
// half-width running from w0 at the start to w1 at the end, plus `bulge` pixels at the
// middle (0 keeps a straight taper; a leaf swells in the middle).
std::vector<StrokePoint> curveStroke(double x0, double y0, double cx, double cy, double x1,
                                     double y1, double w0, double w1, double bulge, int steps);

} // namespace assetgen
