#pragma once

#include <memory>

// One particle, single precision, positions relative to its emitter's origin.
struct Particle {
    float x = 0, y = 0, z = 0;
    float vx = 0, vy = 0, vz = 0;  // per update
    float ax = 0, ay = 0, az = 0;  // added to the velocity per update
    float life = 0;                // remaining life
    float fade = 0;                // life lost per update
    float size = 0;                // half the side of the drawn square
};

// A pool of particles. count is the number in use; the pool holds capacity() particles.
class ParticleSystem {
public:
    ParticleSystem() = default;
    ParticleSystem(const ParticleSystem &) = delete;
    ParticleSystem &operator=(const ParticleSystem &) = delete;
    virtual ~ParticleSystem();

    // Replaces the pool by particleCount zero-filled particles and sets count to it.
    // Returns false, leaving an empty pool and count 0, when the pool cannot be
    // allocated (which includes a negative particleCount).
    virtual bool create(int particleCount);

    // Moves the particles in use by one step.
    virtual void update() = 0;

    int capacity() const { return capacity_; }

    int count = 0;
    std::unique_ptr<Particle[]> particles;

private:
    int capacity_ = 0;
};
