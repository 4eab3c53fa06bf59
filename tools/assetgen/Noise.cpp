#include "Noise.h"

#include <cmath>

namespace assetgen {

uint64_t Prng::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Prng::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

double latticeHash(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u
        ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h >> 8) * (1.0 / 16777216.0);
}

namespace {

double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

} // namespace

double valueNoise(double x, double y, uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = x0 + 1;
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double a = latticeHash(x0, y0, seed);
    const double b = latticeHash(x1, y0, seed);
    const double c = latticeHash(x0, y0 + 1, seed);
    const double d = latticeHash(x1, y0 + 1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return (top + (bottom - top) * ty) * 2 - 1;
}

double fbm(double x, double y, uint32_t seed, int octaves, double gain)
{
    double sum = 0;
    double amplitude = 1;
    double norm = 0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave is rotated a little and shifted so lattice lines do not align.
        const double rx = x * 0.8 - y * 0.6 + 17.3 * i;
        const double ry = x * 0.6 + y * 0.8 - 9.1 * i;
        sum += amplitude * valueNoise(rx, ry, seed + 101u * i);
        norm += amplitude;
        amplitude *= gain;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

} // namespace assetgen
