#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Floating-point painting surface of the asset generator. Colours are linear 0..1 floats
// per channel; (0, 0) is the top-left pixel and y grows downwards, as the pictures are
// seen. Only the file writers turn pictures upside down (bottom-up BMP rows).
namespace assetgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// 0..255 components, the way the colours are chosen by eye.
constexpr Rgb rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

double clamp01(double x);
// Hermite step from 0 at edge0 to 1 at edge1 (edge0 > edge1 gives the falling step).
double smoothstep(double edge0, double edge1, double x);
double mix(double a, double b, double t);
Rgb mix(Rgb a, Rgb b, double t);
double luminance(Rgb c);
// Multiplies towards black (k < 1) or screens towards white (k > 1) keeping the hue.
Rgb shade(Rgb c, double k);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Lays colour over the pixel with the given coverage (0..1); outside pixels are ignored.
    void blend(int x, int y, Rgb colour, double coverage);
    void add(int x, int y, Rgb colour);

    // 8-bit components after clamping and rounding, top row first, RGB order.
    std::vector<uint8_t> toRgb8() const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// A complete 24-bit BMP file (14-byte file header, 40-byte information header, pixel
// data right after it, bottom row first, blue-green-red, rows padded to 4 bytes).
std::vector<uint8_t> encodeBmp24(const Canvas& canvas);

// Writes bytes to a file; false when the file cannot be written completely.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace assetgen
