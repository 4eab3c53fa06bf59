#pragma once

#include <cstdint>

// Deterministic randomness for the generator: a fixed-seed generator of our own and
// lattice value noise. Nothing here reads the clock or the C library's rand(), so every
// build paints the same pixels.
namespace assetgen {

// SplitMix64: small, fast and the same on every platform.
class Prng {
public:
    explicit Prng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    uint64_t state_;
};

// Value noise on an integer lattice, smoothly interpolated; result in [-1, 1].
// The seed picks an independent noise field.
double valueNoise(double x, double y, uint32_t seed);
// Sum of `octaves` noise layers, each at twice the frequency and `gain` times the
// amplitude of the one before; normalised back into [-1, 1].
double fbm(double x, double y, uint32_t seed, int octaves = 4, double gain = 0.5);
// Hash of two lattice coordinates to [0, 1).
double latticeHash(int x, int y, uint32_t seed);

} // namespace assetgen
