#include "BubbleEmitter.h"

#include "Random.h"

#include <algorithm>

namespace {

constexpr float kRise = 0.00083333329f;  // upward acceleration per update
constexpr float kStartLife = 200.0f;
constexpr float kFloor = -25.0f;  // reborn at or below
constexpr float kCeiling = 130.0f;  // reborn at or above

int roll(int n) { return varlen::randomValue() % n; }

// Two draws, the first one is the minuend.
float sidewaysSpeed()
{
    const int a = roll(9000);
    const int b = roll(9000);
    return float((a - b) * 0.000007);
}

} // namespace

bool BubbleEmitter::create(int particleCount)
{
    if (!ParticleSystem::create(particleCount))
        return false;
    for (int i = 0; i < count; ++i) {
        Particle &p = particles[i];
        p.x = float(roll(200) - 100);
        p.y = float(roll(9) * 0.005 - 1);
        p.z = float(roll(6) * 0.005);
        p.vx = sidewaysSpeed();
        p.vy = float(roll(9000) * 0.000042 * 0.33333334f);
        p.vz = float(roll(9000) * 0.000001);
        p.ax = 0;
        p.ay = kRise;
        p.az = 0;
        p.life = kStartLife;
        p.size = float((roll(20) + 2) * 0.1);
        p.fade = float(roll(50) * 0.05);
    }
    return true;
}

void BubbleEmitter::update()
{
    const int n = std::clamp(count, 0, capacity());
    for (int i = 0; i < n; ++i) {
        Particle &p = particles[i];
        p.x += p.vx;
        p.y += p.vy;
        p.z += p.vz;
        p.vy += p.ay;
        p.life -= p.fade;
        if (p.y <= kFloor || p.y >= kCeiling || p.life <= 0) {
            // Rebirth near the origin; unlike creation, z spreads wider, the rise speed
            // has no factor of one third and the size stays.
            p.x = float(roll(200) - 100);
            p.y = float(roll(9) * 0.005 - 1);
            p.z = float(roll(9000) * 0.000001);
            p.vx = sidewaysSpeed();
            p.vy = float(roll(9000) * 0.000042);
            p.vz = float(roll(90000) * 0.000001);
            p.ax = 0;
            p.ay = kRise;
            p.az = 0;
            p.life = kStartLife;
            p.fade = float(roll(50) * 0.05);
        }
    }
}

void BubbleEmitter::setDrawCount(int requested)
{
    count = std::clamp(requested, 0, capacity());
}

void BubbleEmitter::step(int requested)
{
    setDrawCount(requested);
    shown.clear();
    for (int i = 0; i < count; ++i)
        shown.push_back(jitteredQuad(i));
    update();
}

void stepBubbles(BubbleEmitter (&emitters)[3], int qipaoNum)
{
    const int n = bubbleDrawCount(qipaoNum);
    for (BubbleEmitter &e : emitters)
        e.step(n);
}

BubbleQuad BubbleEmitter::jitteredQuad(int index) const
{
    const Particle &p = particles[index];
    const float jx = float(roll(20) * 0.01);
    const float jz = float(roll(20) * 0.01);
    const float cx = p.x + jx;
    const float cz = p.z + jz;
    const float h = p.size;
    return {{
        {cx - h, p.y - h, cz, 0, 0},
        {cx - h, p.y + h, cz, 1, 0},
        {cx + h, p.y + h, cz, 1, 1},
        {cx + h, p.y - h, cz, 0, 1},
    }};
}

int bubbleDrawCount(int qipaoNum)
{
    const long long n = BubbleEmitter::kParticleCount - static_cast<long long>(qipaoNum);
    return int(std::clamp<long long>(n, 0, BubbleEmitter::kParticleCount));
}

EmitterOrigin bubbleEmitterOrigin(int index, float tankYMin, float tankZBack)
{
    static constexpr float kDepth[3] = {100, 200, 50};
    const float d = kDepth[std::clamp(index, 0, 2)];
    return {0.0f, tankYMin - 5, tankZBack - d};
}
