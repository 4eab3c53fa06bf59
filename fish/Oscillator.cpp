#include "Oscillator.h"

#include <cmath>

void Oscillator::advance(int counterLimit)
{
    if (counter++ > counterLimit) {
        phase += phaseStep;
        counter = 0;
    }
    // The phase is a single-precision sum: eight steps of pi/4 land just below the
    // limit, so that wave takes a ninth step before it restarts.
    if (static_cast<double>(phase) > 6.283185)
        phase = 0.0f;
}

void Oscillator::fill(float *values, int count, float factor) const
{
    for (int i = 0; i < count; ++i)
        values[i] = std::sin(static_cast<float>(i) * wavenumber + phase) * amplitude * factor;
}

void Oscillator::step(float *values, int count, int counterLimit, float factor)
{
    advance(counterLimit);
    fill(values, count, factor);
}
