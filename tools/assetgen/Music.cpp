#include "Music.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kBeatsPerBar = 3;
constexpr int kBars = 16;
constexpr int kSamplesPerBeat = kMusicSampleRate * 60 / kMusicBeatsPerMinute;
constexpr int kLength = kSamplesPerBeat * kBeatsPerBar * kBars;
static_assert(kMusicSampleRate * 60 % kMusicBeatsPerMinute == 0, "a beat must be a whole number of samples");

double midiFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// The whole tune lives in one stereo ring: every sound that runs past the end wraps
// round to the start, so the last sample flows into the first when the file loops.
struct Ring {
    std::vector<double> left = std::vector<double>(kLength, 0.0);
    std::vector<double> right = std::vector<double>(kLength, 0.0);

    void add(long index, double sample, double pan) // pan -1 left .. 1 right
    {
        const size_t i = static_cast<size_t>(((index % kLength) + kLength) % kLength);
        const double angle = (pan + 1) * kPi / 4;
        left[i] += sample * std::cos(angle);
        right[i] += sample * std::sin(angle);
    }
};

// Attack / sustain / release envelope with raised-cosine ramps (no corners, no clicks).
double envelope(double t, double attack, double hold, double release)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return 0.5 - 0.5 * std::cos(kPi * t / attack);
    if (t < hold)
        return 1;
    if (t < hold + release)
        return 0.5 + 0.5 * std::cos(kPi * (t - hold) / release);
    return 0;
}

// A soft sustained chord tone: two slightly detuned sines and a quiet octave.
void padNote(Ring& ring, double startBeat, double beats, double note, double gain, double pan)
{
    const double f = midiFrequency(note);
    const double hold = beats * kSamplesPerBeat / double(kMusicSampleRate);
    const double attack = 1.1, release = 1.6;
    const long start = std::lround(startBeat * kSamplesPerBeat);
    const long count = std::lround((hold + release) * kMusicSampleRate);
    for (long n = 0; n < count; ++n) {
        const double t = double(n) / kMusicSampleRate;
        const double e = envelope(t, attack, hold, release);
        const double tremolo = 1 + 0.08 * std::sin(2 * kPi * 0.23 * t);
        const double a = std::sin(2 * kPi * f * 1.0015 * t);
        const double b = std::sin(2 * kPi * f * 0.9985 * t + 1.3);
        const double octave = std::sin(2 * kPi * f * 2.0005 * t + 0.7);
        const double s = gain * e * tremolo * (0.5 * a + 0.5 * b + 0.12 * octave);
        ring.add(start + n, s, pan);
    }
}

// The melody voice: soft two-operator FM, bright at the start of a note and mellowing,
// with a slow vibrato that grows in.
void bellNote(Ring& ring, double startBeat, double beats, double note, double gain, double pan,
              double ratio, double brightness)
{
    const double f = midiFrequency(note);
    const double hold = beats * kSamplesPerBeat / double(kMusicSampleRate);
    const double attack = 0.045, release = 0.9;
    const long start = std::lround(startBeat * kSamplesPerBeat);
    const long count = std::lround((hold + release) * kMusicSampleRate);
    for (long n = 0; n < count; ++n) {
        const double t = double(n) / kMusicSampleRate;
        const double e = envelope(t, attack, hold, release) * (0.55 + 0.45 * std::exp(-t * 1.4));
        const double index = brightness * (0.3 + 0.9 * std::exp(-t * 3.0));
        const double vibrato = 0.003 * std::sin(2 * kPi * 5.2 * t) * smoothstep(0.3, 0.9, t);
        const double modulator = std::sin(2 * kPi * f * ratio * t);
        const double s = std::sin(2 * kPi * f * (1 + vibrato) * t + index * modulator);
        ring.add(start + n, gain * e * s, pan);
    }
}

// Deep round bass: a sine with a touch of its octave.
void bassNote(Ring& ring, double startBeat, double beats, double note, double gain)
{
    const double f = midiFrequency(note);
    const double hold = beats * kSamplesPerBeat / double(kMusicSampleRate);
    const long start = std::lround(startBeat * kSamplesPerBeat);
    const long count = std::lround((hold + 1.0) * kMusicSampleRate);
    for (long n = 0; n < count; ++n) {
        const double t = double(n) / kMusicSampleRate;
        const double e = envelope(t, 0.08, hold, 1.0) * (0.7 + 0.3 * std::exp(-t * 2));
        const double s = std::sin(2 * kPi * f * t) + 0.15 * std::sin(4 * kPi * f * t);
        ring.add(start + n, gain * e * s, 0);
    }
}

struct Chord {
    int root;            // MIDI note of the bass
    int tones[3];        // the pad's notes
};

// C major, one chord per bar of three beats; bar 16 leads back into bar 1.
const Chord kChords[kBars] = {
    {36, {60, 64, 67}}, {45, {60, 64, 69}}, {41, {60, 65, 69}}, {43, {59, 62, 67}},
    {36, {60, 64, 67}}, {40, {59, 64, 67}}, {41, {60, 65, 69}}, {43, {62, 65, 67}},
    {45, {60, 64, 69}}, {41, {60, 65, 69}}, {36, {60, 64, 67}}, {43, {59, 62, 67}},
    {41, {60, 65, 69}}, {40, {59, 64, 67}}, {38, {60, 62, 65}}, {43, {59, 62, 67}},
};

struct MelodyNote {
    int bar;
    double beat;   // within the bar
    double beats;  // length
    int note;      // MIDI
};

// A slow waltz line in the major pentatonic (C D E G A).
const MelodyNote kMelody[] = {
    {0, 0, 2, 76},    {0, 2, 1, 79},
    {1, 0, 1.5, 81},  {1, 1.5, 0.5, 79}, {1, 2, 1, 76},
    {2, 0, 1, 69},    {2, 1, 1, 72},     {2, 2, 1, 74},
    {3, 0, 3, 74},
    {4, 0, 1, 76},    {4, 1, 1, 79},     {4, 2, 1, 81},
    {5, 0, 2, 79},    {5, 2, 1, 76},
    {6, 0, 2, 81},    {6, 2, 1, 79},
    {7, 0, 1, 79},    {7, 1, 1, 76},     {7, 2, 1, 74},
    {8, 0, 1.5, 72},  {8, 1.5, 0.5, 76}, {8, 2, 1, 81},
    {9, 0, 1, 79},    {9, 1, 1, 81},     {9, 2, 1, 84},
    {10, 0, 2, 79},   {10, 2, 1, 76},
    {11, 0, 2, 74},   {11, 2, 1, 67},
    {12, 0, 1, 72},   {12, 1, 1, 74},    {12, 2, 1, 76},
    {13, 0, 1.5, 79}, {13, 1.5, 1.5, 76},
    {14, 0, 1, 74},   {14, 1, 0.5, 76},  {14, 1.5, 0.5, 74}, {14, 2, 1, 72},
    {15, 0, 3, 74},
};

// Ping-pong echo computed round the ring, so its tail also wraps to the start.
void addEcho(Ring& ring)
{
    const std::vector<double> dryLeft = ring.left;
    const std::vector<double> dryRight = ring.right;
    const long delay = kSamplesPerBeat * 3 / 4; // a dotted eighth
    double gain = 1;
    for (int tap = 1; tap <= 6; ++tap) {
        gain *= 0.32;
        const long shift = delay * tap;
        const bool cross = tap % 2 == 1;
        for (long n = 0; n < kLength; ++n) {
            const size_t from = static_cast<size_t>(((n - shift) % kLength + kLength) % kLength);
            const double l = cross ? dryRight[from] : dryLeft[from];
            const double r = cross ? dryLeft[from] : dryRight[from];
            ring.left[n] += gain * l;
            ring.right[n] += gain * r;
        }
    }
}

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

} // namespace

StereoPcm renderMusic()
{
    Ring ring;
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = kChords[bar];
        const double start = bar * kBeatsPerBar;
        bassNote(ring, start, 2.6, chord.root, 0.16);
        for (int i = 0; i < 3; ++i)
            padNote(ring, start, kBeatsPerBar, chord.tones[i], 0.07, -0.5 + 0.5 * i);
        // A quiet harp-like figure on beats two and three, an octave above the pad.
        bellNote(ring, start + 1, 0.5, chord.tones[1] + 12, 0.045, 0.6, 3.0, 0.8);
        bellNote(ring, start + 2, 0.5, chord.tones[2] + 12, 0.04, -0.6, 3.0, 0.8);
    }
    for (const MelodyNote& m : kMelody)
        bellNote(ring, m.bar * kBeatsPerBar + m.beat, m.beats * 0.9, m.note, 0.2, -0.1, 1.0, 1.1);
    addEcho(ring);

    double peak = 1e-9;
    for (long n = 0; n < kLength; ++n)
        peak = std::max(peak, std::max(std::abs(ring.left[n]), std::abs(ring.right[n])));
    // Peaks at -4 dBFS.
    const double scale = std::pow(10.0, -4.0 / 20.0) * 32767.0 / peak;

    StereoPcm pcm;
    pcm.sampleRate = kMusicSampleRate;
    pcm.samples.reserve(static_cast<size_t>(kLength) * 2);
    for (long n = 0; n < kLength; ++n) {
        pcm.samples.push_back(static_cast<int16_t>(std::lround(ring.left[n] * scale)));
        pcm.samples.push_back(static_cast<int16_t>(std::lround(ring.right[n] * scale)));
    }
    return pcm;
}

std::vector<uint8_t> encodeWav(const StereoPcm& pcm)
{
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    for (char c : std::string("RIFF"))
        out.push_back(static_cast<uint8_t>(c));
    put32(out, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        out.push_back(static_cast<uint8_t>(c));
    put32(out, 16);                    // format chunk size
    put16(out, 1);                     // PCM
    put16(out, 2);                     // channels
    put32(out, pcm.sampleRate);
    put32(out, pcm.sampleRate * 4);    // bytes per second
    put16(out, 4);                     // bytes per frame
    put16(out, 16);                    // bits per sample
    for (char c : std::string("data"))
        out.push_back(static_cast<uint8_t>(c));
    put32(out, dataBytes);
    for (int16_t s : pcm.samples)
        put16(out, static_cast<uint16_t>(s));
    return out;
}

} // namespace assetgen
