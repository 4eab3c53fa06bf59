// The GL side of the fish: the draw and the vertex emission.

#include "Fish.h"
#include "CoveringTriangles.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>

namespace {

// The model as vertex arrays: every vertex passed through the segment matrix, strip by
// strip, then drawn with one glDrawArrays per quad strip.
//
// Keep the model (and everything else drawn inside a selection pass) out of immediate
// mode: Mesa's llvmpipe keeps about half a megabyte for good every time immediate-mode
// vertices in the frame meet immediate-mode vertices in GL_SELECT, so each feed or touch
// click would cost memory. The click memory test guards this.
class GlArraySink final : public FishVertexSink {
public:
    static constexpr int kMaxVertices = 520; // the whole model
    static constexpr int kMaxStrips = 28;
    static constexpr double kSmallModelPixels = 64;

    void beginStrip() override
    {
        if (strips < kMaxStrips)
            stripFirst[strips] = count;
    }
    void vertex(Fish &fish, float x, float y, float z, float nx, float ny, float nz, float s,
                float t) override
    {
        if (count >= kMaxVertices || strips >= kMaxStrips)
            return;
        Vertex &v = vertices[count++];
        v.s = s;
        v.t = t;
        v.nx = nx;
        v.ny = ny;
        v.nz = nz;
        fish.transformBySegment(x, y, z, v.p);
    }
    void endStrip() override
    {
        if (strips < kMaxStrips) {
            stripCount[strips] = count - stripFirst[strips];
            ++strips;
        }
    }

    // Draws the strips gathered, then leaves the current normal and texture coordinate at
    // the last vertex's, as immediate mode would: later passes that give no normal of
    // their own (the surface, the backdrop) are lit with it.
    void draw() const
    {
        if (count == 0)
            return;
        const Vertex &last = vertices[count - 1];
        // Unlit (the pellets), the normals would be fetched for nothing.
        const bool lit = glIsEnabled(GL_LIGHTING);
        glEnableClientState(GL_VERTEX_ARRAY);
        if (lit)
            glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].s);
        glNormalPointer(GL_FLOAT, sizeof(Vertex), &vertices[0].nx);
        glVertexPointer(3, GL_FLOAT, sizeof(Vertex), vertices[0].p);
        GLint renderMode = GL_RENDER;
        glGetIntegerv(GL_RENDER_MODE, &renderMode);
        if (renderMode == GL_RENDER &&
            windowSpan(vertices[0].p, kFloats, count) < kSmallModelPixels) {
            // A small model (a pellet) draws only the triangles that can cover a pixel
            // centre: the same pixels for less of the renderer's work on the many
            // triangles smaller than a pixel. A larger one (a fish) keeps too many of
            // them for the sorting to pay.
            coveringTriangles(vertices[0].p, kFloats, count, stripFirst, stripCount, strips,
                              window, indices);
            if (!indices.empty())
                glDrawRangeElements(GL_TRIANGLES, 0, GLuint(count - 1), GLsizei(indices.size()),
                                    GL_UNSIGNED_INT, indices.data());
        } else {
            glMultiDrawArrays(GL_QUAD_STRIP, stripFirst, stripCount, strips);
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        if (lit)
            glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glNormal3f(last.nx, last.ny, last.nz);
        glTexCoord2f(last.s, last.t);
    }

private:
    struct Vertex {
        float s, t;
        float nx, ny, nz;
        float p[3];
    };
    static constexpr int kFloats = sizeof(Vertex) / sizeof(float);
    Vertex vertices[kMaxVertices];
    int stripFirst[kMaxStrips] = {};
    int stripCount[kMaxStrips] = {};
    int strips = 0;
    int count = 0;
    // Scratch of draw(), kept between fish.
    static thread_local std::vector<WindowPoint> window;
    static thread_local std::vector<unsigned> indices;
};

thread_local std::vector<WindowPoint> GlArraySink::window;
thread_local std::vector<unsigned> GlArraySink::indices;

} // namespace

void Fish::draw(int drawSpecies)
{
    species = drawSpecies;

    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // model z up, model y toward -z

    const float h = heading * 0.0174533f;
    glRotatef(-pitch, std::sin(h), -std::cos(h), 0.0f); // tilt about the fish's own side axis

    GlArraySink sink;
    emitModel(sink);
    sink.draw();

    glPopMatrix();
}
