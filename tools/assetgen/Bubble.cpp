#include "Bubble.h"

#include <cmath>

namespace assetgen {

namespace {

// Brightness colour of the bubble at a point in units of the radius, centre (0, 0).
Rgb bubbleAt(double x, double y)
{
    const double r = std::hypot(x, y);
    if (r >= 1)
        return {};
    const Rgb rim = rgb8(200, 228, 255);
    // The rim: bright just inside the edge, fading quickly inwards.
    double light = 0.9 * std::exp(-std::pow((r - 0.93) / 0.045, 2));
    // Thin film: slightly brighter towards the edge, nearly clear in the middle.
    light += 0.05 + 0.22 * smoothstep(0.55, 0.95, r);
    // Edge softening so the outline is anti-aliased against the black.
    light *= smoothstep(1.0, 0.965, r);
    Rgb c = rim * light;
    // The window highlight towards the top-left, tilted along the rim.
    const double hx = (x + 0.4) * 0.7071 + (y + 0.4) * 0.7071;
    const double hy = -(x + 0.4) * 0.7071 + (y + 0.4) * 0.7071;
    const double highlight = smoothstep(1.0, 0.55, std::hypot(hx / 0.13, hy / 0.24));
    c = c + rgb8(255, 255, 255) * (0.95 * highlight);
    // A faint crescent reflection at the bottom-right.
    const double crescent = std::exp(-std::pow((r - 0.78) / 0.05, 2)) * smoothstep(0.3, 0.75, (x + y) * 0.7071);
    c = c + rgb8(220, 240, 255) * (0.3 * crescent);
    return c;
}

} // namespace

Canvas paintBubble()
{
    Canvas canvas(kBubbleSize, kBubbleSize);
    constexpr int kSub = 4;
    const double centre = kBubbleSize / 2.0;
    const double radius = kBubbleSize / 2.0 - 2;
    for (int y = 0; y < kBubbleSize; ++y) {
        for (int x = 0; x < kBubbleSize; ++x) {
            Rgb sum;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    const double px = (x + (sx + 0.5) / kSub - centre) / radius;
                    const double py = (y + (sy + 0.5) / kSub - centre) / radius;
                    sum = sum + bubbleAt(px, py);
                }
            canvas.at(x, y) = sum * (1.0 / (kSub * kSub));
        }
    }
    return canvas;
}

} // namespace assetgen
