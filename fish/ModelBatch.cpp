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

void ModelBatch::flush()
{
    if (vertices.empty())
        return;
    // Where every vertex lands in the window, as the renderer will put it.
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double m[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            m[c * 4 + r] = projection[r] * modelView[c * 4] + projection[4 + r] * modelView[c * 4 + 1] +
                           projection[8 + r] * modelView[c * 4 + 2] + projection[12 + r] * modelView[c * 4 + 3];
    window.resize(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const float *p = vertices[i].p;
        double clip[4];
        for (int r = 0; r < 4; ++r)
            clip[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
        WindowPoint &w = window[i];
        w.inFront = clip[3] > 1e-6;
        if (w.inFront) {
            w.xy[0] = float(viewport[0] + (clip[0] / clip[3] + 1) / 2 * viewport[2]);
            w.xy[1] = float(viewport[1] + (clip[1] / clip[3] + 1) / 2 * viewport[3]);
        }
    }
    // Each quad strip as the renderer splits it, corners in its order: (i-3, i-2, i) and
    // (i-1, i-3, i) for every i = 3, 5, ...; only the triangles that can cover a pixel
    // centre are kept.
    indices.clear();
    auto keep = [&](GLuint a, GLuint b, GLuint c) {
        const WindowPoint &wa = window[a], &wb = window[b], &wc = window[c];
        if (wa.inFront && wb.inFront && wc.inFront && !mayCoverAPixelCentre(wa.xy, wb.xy, wc.xy))
            return;
        indices.insert(indices.end(), {a, b, c});
    };
    for (std::size_t k = 0; k < stripFirst.size(); ++k) {
        const GLuint first = GLuint(stripFirst[k]);
        for (int i = 3; i < stripCount[k]; i += 2) {
            keep(first + i - 3, first + i - 2, first + i);
            keep(first + i - 1, first + i - 3, first + i);
        }
    }
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
