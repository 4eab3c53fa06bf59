#pragma once

#include "ParticleSystem.h"

#include <array>
#include <string>
#include <vector>

// An emitter's origin in world units; the bubble pass draws each emitter translated by
// (x + 5, y - 25, z - 60) from it.
struct EmitterOrigin {
    float x = 0, y = 0, z = 0;
};

// One corner of a bubble's square: position relative to the emitter and texture
// coordinate.
struct BubbleCorner {
    float x, y, z;
    float s, t;
};
using BubbleQuad = std::array<BubbleCorner, 4>;

// A stream of rising bubbles: each particle rises from near the emitter's origin, drifts
// sideways and is reborn in its slot when it sinks to y -25, rises to y 130 or fades out.
// Every random value is varlen::randomValue() % n, drawn in a fixed order.
class BubbleEmitter : public ParticleSystem {
public:
    static constexpr int kParticleCount = 110;

    // The bubble sprite; each emitter holds its own copy.
    unsigned texture = 0;

    // Allocates and initialises particleCount particles (9 random draws each). False
    // only when the pool cannot be allocated. The sprite is loaded separately by
    // loadSprite (the set-up calls it after a successful create).
    bool create(int particleCount) override;

    // Moves every particle in use one step and rebirths those that left their range
    // (8 random draws per rebirth); a reborn particle keeps its size.
    void update() override;

    // count = requested, limited to the particles that exist (0 .. capacity()).
    void setDrawCount(int requested);

    // The square of particle `index` (0 <= index < capacity()) with a fresh jitter of 0 .. 0.19 in x and z (two
    // random draws, x first). The jitter is not stored.
    BubbleQuad jitteredQuad(int index) const;

    // One step: sets the draw count as setDrawCount, keeps the squares of that many
    // particles as the frame shows them (jitteredQuad, in index order), then calls
    // update().
    void step(int requested);

    // The squares the last step kept, to be drawn.
    std::vector<BubbleQuad> shown;

    // environment_gl, with a current GL context:
    // Binds the sprite and draws the squares the last step kept as quads in the current
    // colour. Changes nothing.
    void draw() const;
    // Extracts asset 166 as "Particle1" into `directory` (ending in a separator), loads
    // it into `texture` and deletes both asset files.
    void loadSprite(const std::string &directory);
};

// The bubbles' part of a scene step: emitter k = 0, 1, 2 steps with
// bubbleDrawCount(qipaoNum) particles.
void stepBubbles(BubbleEmitter (&emitters)[3], int qipaoNum);

// Particles drawn per emitter for the "QIPAONUM" setting: 110 - qipaoNum, limited to
// 0 .. 110 (a negative setting draws all 110, one above 110 draws none).
int bubbleDrawCount(int qipaoNum);

// Origin of emitter `index` (0, 1 or 2): (0, tankYMin - 5, tankZBack - d) with d = 100,
// 200 and 50.
EmitterOrigin bubbleEmitterOrigin(int index, float tankYMin, float tankZBack);
