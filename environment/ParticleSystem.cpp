#include "ParticleSystem.h"

#include <new>

ParticleSystem::~ParticleSystem() = default;

bool ParticleSystem::create(int particleCount)
{
    particles.reset();
    capacity_ = 0;
    count = 0;
    if (particleCount < 0)
        return false;
    particles.reset(new (std::nothrow) Particle[particleCount]());
    if (!particles)
        return false;
    capacity_ = particleCount;
    count = particleCount;
    return true;
}
