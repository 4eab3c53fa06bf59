#pragma once

// A travelling sine wave sampled along an array: the swimming motion of the body and
// the flutter of each fin. One step per scene step.
struct Oscillator {
    float phase = 0.0f;      // radians; set back to 0 (not reduced by 2 pi) once past 6.283185
    int counter = 0;         // frames since the phase last moved
    float wavenumber = 0.0f; // radians per array index
    float amplitude = 0.0f;
    float phaseStep = 0.0f;  // radians per phase move

    // Moves the phase on when the counter has run past `counterLimit` (1: every third
    // call, 5: every sixth), then wraps it.
    void advance(int counterLimit);

    // value[i] = sin(i * wavenumber + phase) * amplitude * factor, i = 0 .. count - 1.
    void fill(float *values, int count, float factor) const;

    // advance() then fill(): one frame of a fin flutter.
    void step(float *values, int count, int counterLimit, float factor);
};

// Phase steps and wavenumbers of the model's oscillators, radians.
namespace wave {
inline constexpr float kPi4 = 0.7853981f;
inline constexpr float kPi5 = 0.6283185f;
inline constexpr float kPi6 = 0.5235987f;
inline constexpr float kPi8 = 0.3926991f;
inline constexpr float kPi12 = 0.2617994f;
inline constexpr float kPi24 = 0.1308997f;
} // namespace wave
