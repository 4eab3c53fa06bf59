#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cmath>
#include <cstdint>

// A RIFF WAVE file of 16-bit PCM holding a sine tone, the same on every channel.
inline QByteArray makeSineWave(int durationMs, double frequency, int channels = 1, int sampleRate = 22050,
                               int amplitude = 12000)
{
    const int frames = int(int64_t(sampleRate) * durationMs / 1000);
    const uint32_t dataBytes = uint32_t(frames) * uint32_t(channels) * 2;
    QByteArray bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&](uint16_t v) {
        bytes.append(char(v & 0xFF));
        bytes.append(char(v >> 8));
    };
    bytes.append("RIFF");
    put32(36 + dataBytes);
    bytes.append("WAVEfmt ");
    put32(16);
    put16(1);   // PCM
    put16(uint16_t(channels));
    put32(uint32_t(sampleRate));
    put32(uint32_t(sampleRate * channels * 2));
    put16(uint16_t(channels * 2));
    put16(16);
    bytes.append("data");
    put32(dataBytes);
    for (int i = 0; i < frames; ++i) {
        const auto sample = int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * frequency * i / sampleRate)));
        for (int c = 0; c < channels; ++c)
            put16(uint16_t(sample));
    }
    return bytes;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
