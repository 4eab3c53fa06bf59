#include "CoveringTriangles.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Whether a triangle with these window corners can cover a pixel centre. Every centre a
// triangle covers lies inside its bounding box; a box that holds no centre (widened by
// far more than the rounding between this projection and the renderer's) means the
// triangle makes no fragment at all, and leaving it out changes no pixel and no depth.
bool mayCoverAPixelCentre(const float *a, const float *b, const float *c)
{
    constexpr float kMargin = 1.0f / 32;
    const float x0 = std::min({a[0], b[0], c[0]}) - kMargin;
    const float x1 = std::max({a[0], b[0], c[0]}) + kMargin;
    const float y0 = std::min({a[1], b[1], c[1]}) - kMargin;
    const float y1 = std::max({a[1], b[1], c[1]}) + kMargin;
    return std::floor(x1 - 0.5f) >= std::ceil(x0 - 0.5f) &&
           std::floor(y1 - 0.5f) >= std::ceil(y0 - 0.5f);
}

// The map from model coordinates to window coordinates (clip space, then the viewport).
void windowMatrix(double (&m)[16], GLint (&viewport)[4])
{
    GLdouble modelView[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            m[c * 4 + r] = projection[r] * modelView[c * 4] +
                           projection[4 + r] * modelView[c * 4 + 1] +
                           projection[8 + r] * modelView[c * 4 + 2] +
                           projection[12 + r] * modelView[c * 4 + 3];
}

} // namespace

double windowSpan(const float *positions, int stride, int vertexCount)
{
    double m[16];
    GLint viewport[4];
    windowMatrix(m, viewport);
    float reach = 0;
    for (int i = 0; i < vertexCount; ++i)
        for (int axis = 0; axis < 3; ++axis)
            reach = std::max(reach, std::fabs(positions[std::size_t(i) * stride + axis]));
    auto window = [&](double x, double y, double z, double (&out)[2]) {
        double clip[4];
        for (int r = 0; r < 4; ++r)
            clip[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
        if (!(clip[3] > 1e-6))
            return false;
        out[0] = (clip[0] / clip[3] + 1) / 2 * viewport[2];
        out[1] = (clip[1] / clip[3] + 1) / 2 * viewport[3];
        return true;
    };
    double centre[2];
    if (!window(0, 0, 0, centre))
        return INFINITY;
    double most = 0;
    for (int axis = 0; axis < 3; ++axis) {
        double end[2];
        if (!window(axis == 0 ? reach : 0, axis == 1 ? reach : 0, axis == 2 ? reach : 0, end))
            return INFINITY;
        most = std::max(most, std::hypot(end[0] - centre[0], end[1] - centre[1]));
    }
    return 2 * most;
}

void coveringTriangles(const float *positions, int stride, int vertexCount, const int *stripFirst,
                       const int *stripCount, int strips, std::vector<WindowPoint> &window,
                       std::vector<unsigned> &indices)
{
    double m[16];
    GLint viewport[4];
    windowMatrix(m, viewport);
    window.resize(std::size_t(vertexCount));
    for (int i = 0; i < vertexCount; ++i) {
        const float *p = positions + std::size_t(i) * stride;
        double clip[4];
        for (int r = 0; r < 4; ++r)
            clip[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
        WindowPoint &w = window[std::size_t(i)];
        w.inFront = clip[3] > 1e-6;
        if (w.inFront) {
            w.xy[0] = float(viewport[0] + (clip[0] / clip[3] + 1) / 2 * viewport[2]);
            w.xy[1] = float(viewport[1] + (clip[1] / clip[3] + 1) / 2 * viewport[3]);
        }
    }
    // Each quad strip as the renderer splits it, corners in its order: (i-3, i-2, i) and
    // (i-1, i-3, i) for every i = 3, 5, ...
    indices.clear();
    auto keep = [&](unsigned a, unsigned b, unsigned c) {
        const WindowPoint &wa = window[a], &wb = window[b], &wc = window[c];
        if (wa.inFront && wb.inFront && wc.inFront && !mayCoverAPixelCentre(wa.xy, wb.xy, wc.xy))
            return;
        indices.insert(indices.end(), {a, b, c});
    };
    for (int k = 0; k < strips; ++k) {
        const unsigned first = unsigned(stripFirst[k]);
        for (int i = 3; i < stripCount[k]; i += 2) {
            keep(first + i - 3, first + i - 2, first + i);
            keep(first + i - 1, first + i - 3, first + i);
        }
    }
}
