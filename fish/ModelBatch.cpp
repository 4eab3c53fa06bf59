#include "ModelBatch.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {
ModelBatch *current = nullptr;
}

void ModelBatch::begin() { current = this; }

void ModelBatch::end()
{
    if (current == this)
        current = nullptr;
}

ModelBatch *ModelBatch::collecting() { return current; }

void ModelBatch::addModel(const float *texCoords, int texStride, const float *positions,
                          int posStride, int vertexCount, const int *counts, int strips)
{
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const std::size_t base = vertices.size();
    vertices.resize(base + vertexCount);
    for (int i = 0; i < vertexCount; ++i) {
        const float *st = texCoords + i * texStride;
        const float *p = positions + i * posStride;
        Vertex &v = vertices[base + i];
        v.s = st[0];
        v.t = st[1];
        for (int r = 0; r < 3; ++r)
            v.p[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    }
    int first = int(base);
    for (int i = 0; i < strips; ++i) {
        stripFirst.push_back(first);
        stripCount.push_back(counts[i]);
        first += counts[i];
    }
}

namespace {

// Whether a triangle with these window corners can cover a pixel centre. Every centre a
// triangle covers lies inside its bounding box; a box that holds no centre (widened by
// far more than the rounding between this projection and the renderer's) means the
// triangle makes no fragment at all, and leaving it out changes no pixel and no depth.
bool mayCoverAPixelCentre(const float *a, const float *b, const float *c)
{
    constexpr float kMargin = 1.0f / 32;
    const float x0 = std::min({a[0], b[0], c[0]}) - kMargin, x1 = std::max({a[0], b[0], c[0]}) + kMargin;
    const float y0 = std::min({a[1], b[1], c[1]}) - kMargin, y1 = std::max({a[1], b[1], c[1]}) + kMargin;
    return std::floor(x1 - 0.5f) >= std::ceil(x0 - 0.5f) && std::floor(y1 - 0.5f) >= std::ceil(y0 - 0.5f);
}

} // namespace

void windowMatrix(double (&m)[16], GLint (&viewport)[4])
{
    GLdouble modelView[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            m[c * 4 + r] = projection[r] * modelView[c * 4] + projection[4 + r] * modelView[c * 4 + 1] +
                           projection[8 + r] * modelView[c * 4 + 2] + projection[12 + r] * modelView[c * 4 + 3];
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

void ModelBatch::flush()
{
    if (vertices.empty())
        return;
    coveringTriangles(vertices[0].p, sizeof(Vertex) / sizeof(float), int(vertices.size()),
                      stripFirst.data(), stripCount.data(), int(stripFirst.size()), window, indices);
    if (!indices.empty()) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].s);
        glVertexPointer(3, GL_FLOAT, sizeof(Vertex), vertices[0].p);
        glDrawRangeElements(GL_TRIANGLES, 0, GLuint(vertices.size() - 1), GLsizei(indices.size()),
                            GL_UNSIGNED_INT, indices.data());
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glNormal3f(lastNormal[0], lastNormal[1], lastNormal[2]);
    glTexCoord2f(vertices.back().s, vertices.back().t);
    vertices.clear();
    stripFirst.clear();
    stripCount.clear();
}
