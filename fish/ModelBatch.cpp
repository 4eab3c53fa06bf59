#include "ModelBatch.h"

#include <GL/gl.h>
#include <GL/glext.h>

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

void ModelBatch::flush()
{
    if (vertices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].s);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), vertices[0].p);
    glMultiDrawArrays(GL_QUAD_STRIP, stripFirst.data(), stripCount.data(), GLsizei(stripCount.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glNormal3f(lastNormal[0], lastNormal[1], lastNormal[2]);
    glTexCoord2f(vertices.back().s, vertices.back().t);
    vertices.clear();
    stripFirst.clear();
    stripCount.clear();
}
