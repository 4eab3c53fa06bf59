#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The built-in tune: a slow waltz (three beats a bar, 72 beats per minute, 16 bars,
// 40 s) in C major: a soft FM melody in the major pentatonic over sustained chords, a
// round bass and a quiet echo. Every sound that would ring past the end is folded back
// onto the start, so the file loops without a seam. Peaks at -4 dBFS.
namespace assetgen {

inline constexpr int kMusicSampleRate = 22050;
inline constexpr int kMusicBeatsPerMinute = 72;

struct StereoPcm {
    int sampleRate = 0;
    std::vector<int16_t> samples; // interleaved left, right
};

StereoPcm renderMusic();
// A RIFF WAVE file: 16-bit PCM, the 44-byte canonical header then the samples.
std::vector<uint8_t> encodeWav(const StereoPcm& pcm);

} // namespace assetgen
