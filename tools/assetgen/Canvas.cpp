#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace assetgen {

double clamp01(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double mix(double a, double b, double t) { return a + (b - a) * t; }

Rgb mix(Rgb a, Rgb b, double t) { return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)}; }

double luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

Rgb shade(Rgb c, double k)
{
    if (k <= 1)
        return c * k;
    const double t = k - 1;
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

void Canvas::blend(int x, int y, Rgb colour, double coverage)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0)
        return;
    Rgb& p = at(x, y);
    p = mix(p, colour, std::min(coverage, 1.0));
}

void Canvas::add(int x, int y, Rgb colour)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    at(x, y) = at(x, y) + colour;
}

std::vector<uint8_t> Canvas::toRgb8() const
{
    std::vector<uint8_t> out;
    out.reserve(pixels_.size() * 3);
    for (const Rgb& p : pixels_) {
        out.push_back(static_cast<uint8_t>(std::lround(clamp01(p.r) * 255)));
        out.push_back(static_cast<uint8_t>(std::lround(clamp01(p.g) * 255)));
        out.push_back(static_cast<uint8_t>(std::lround(clamp01(p.b) * 255)));
    }
    return out;
}

namespace {

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

std::vector<uint8_t> encodeBmp24(const Canvas& canvas)
{
    const uint32_t w = canvas.width();
    const uint32_t h = canvas.height();
    const uint32_t rowBytes = (w * 3 + 3) / 4 * 4;
    const uint32_t imageBytes = rowBytes * h;
    const uint32_t headerBytes = 14 + 40;

    std::vector<uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, headerBytes + imageBytes);
    put32(out, 0);                   // reserved
    put32(out, headerBytes);         // pixel data offset
    put32(out, 40);                  // information header size
    put32(out, w);
    put32(out, h);                   // positive: bottom row first
    put16(out, 1);                   // planes
    put16(out, 24);                  // bits per pixel
    put32(out, 0);                   // no compression
    put32(out, imageBytes);
    put32(out, 2835);                // 72 dots per inch, both directions
    put32(out, 2835);
    put32(out, 0);                   // palette entries used
    put32(out, 0);                   // important colours

    const std::vector<uint8_t> rgb = canvas.toRgb8();
    for (uint32_t row = 0; row < h; ++row) {
        const uint32_t y = h - 1 - row;
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (uint32_t pad = w * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace assetgen
