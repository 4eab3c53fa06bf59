#pragma once

// Small BMP files for the loader tests, laid out byte by byte.

#include <cstdint>
#include <functional>
#include <vector>

namespace testbmp {

using Bytes = std::vector<std::uint8_t>;
struct Bgr {
    std::uint8_t blue, green, red;
};

inline Bytes withU32(Bytes bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (value >> (8 * i)) & 0xFF;
    return bytes;
}

inline Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

// Both headers, then `palette` (4 bytes an entry) and rows of `bits` per pixel padded to
// 4 bytes, bottom row (y = 0) first; pixel(x, y) gives each pixel's bytes.
inline Bytes bmp(int width, int height, int bits, std::uint32_t paletteUsed, const Bytes &palette,
                 const std::function<Bytes(int x, int y)> &pixel)
{
    const std::size_t stride = (std::size_t(bits) * width + 31) / 32 * 4;
    Bytes bytes = withU32(Bytes(54, 0), 10, std::uint32_t(54 + palette.size()));
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes = withU32(withU32(withU32(bytes, 14, 40), 18, width), 22, height);
    bytes[26] = 1;
    bytes[28] = static_cast<std::uint8_t>(bits);
    bytes = withU32(withU32(bytes, 34, std::uint32_t(stride * height)), 46, paletteUsed);
    bytes.insert(bytes.end(), palette.begin(), palette.end());
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            const Bytes p = pixel(x, y);
            row.insert(row.end(), p.begin(), p.end());
        }
        row.resize(stride, 0);
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    return bytes;
}

inline Bytes bmp24(int width, int height, const std::function<Bgr(int, int)> &colour)
{
    return bmp(width, height, 24, 0, {}, [&](int x, int y) {
        const Bgr c = colour(x, y);
        return Bytes{c.blue, c.green, c.red};
    });
}

inline Bytes bmp32(int width, int height, Bgr c, std::uint8_t alpha)
{
    return bmp(width, height, 32, 0, {}, [&](int, int) { return Bytes{c.blue, c.green, c.red, alpha}; });
}

// An 8-bit picture; `entries` fill the start of a palette of 4 x paletteUsed bytes (1024
// when paletteUsed is 0).
inline Bytes bmp8(int width, int height, const std::vector<Bgr> &entries, std::uint32_t paletteUsed,
                  const std::function<std::uint8_t(int, int)> &index)
{
    Bytes palette(paletteUsed == 0 ? 1024 : 4 * paletteUsed, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        palette[4 * i] = entries[i].blue;
        palette[4 * i + 1] = entries[i].green;
        palette[4 * i + 2] = entries[i].red;
    }
    return bmp(width, height, 8, paletteUsed, palette, [&](int x, int y) { return Bytes{index(x, y)}; });
}

inline Bgr gradient(int x, int y) { return {std::uint8_t(x * 3), std::uint8_t(y * 5), std::uint8_t(x + y)}; }

} // namespace testbmp
