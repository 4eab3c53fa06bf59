// The GL side of the fish: the per-frame draw and the vertex emission.

#include "Fish.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Turns the model's strips into immediate-mode quad strips.
class GlStripSink final : public FishVertexSink {
public:
    void beginStrip() override { glBegin(GL_QUAD_STRIP); }
    void vertex(Fish &fish, float x, float y, float z, float nx, float ny, float nz, float s,
                float t) override
    {
        fish.emitVertex(x, y, z, nx, ny, nz, s, t);
    }
    void endStrip() override { glEnd(); }
};

} // namespace

void Fish::emitVertex(float px, float py, float pz, float nx, float ny, float nz, float s, float t)
{
    float p[3];
    transformBySegment(px, py, pz, p);
    glNormal3f(nx, ny, nz);
    glTexCoord2f(s, t);
    glVertex3fv(p);
}

void Fish::draw(int drawSpecies)
{
    computeAnimation(drawSpecies);

    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f); // model z up, model y toward -z

    followPitch();
    const float h = heading * 0.0174533f;
    glRotatef(-pitch, std::sin(h), -std::cos(h), 0.0f); // tilt about the fish's own side axis

    wanderStep();

    GlStripSink sink;
    emitModel(sink);

    movementStep();
    updateCollisionBox();

    glPopMatrix();
}
