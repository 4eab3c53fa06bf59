#include "Background.h"

#include "Noise.h"
#include "Stroke.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr int kW = kBackgroundWidth;
constexpr int kH = kBackgroundHeight;

// Water colours from the lit surface down to the haze over the far sand.
const Rgb kSurface = rgb8(84, 182, 190);
const Rgb kUpper = rgb8(38, 128, 168);
const Rgb kMiddle = rgb8(22, 82, 138);
const Rgb kDeep = rgb8(16, 56, 106);
const Rgb kHaze = rgb8(36, 92, 122);
const Rgb kShaft = rgb8(150, 230, 225);

// Top of the sand (pixels from the top) at column x.
double floorLine(double x)
{
    return kH * 0.79 + 6 * std::sin(x / 140.0 + 0.7) + 5 * fbm(x / 90.0, 3.1, 77, 3);
}

Rgb waterAt(double x, double y)
{
    const double t = y / kH;
    Rgb c;
    if (t < 0.3)
        c = mix(kSurface, kUpper, smoothstep(0.0, 0.3, t));
    else if (t < 0.6)
        c = mix(kUpper, kMiddle, smoothstep(0.3, 0.6, t));
    else
        c = mix(kMiddle, kDeep, smoothstep(0.6, 0.76, t));
    // Haze where the far sand meets the water.
    c = mix(c, kHaze, std::exp(-std::pow((t - 0.79) / 0.05, 2)) * 0.7);
    // The light enters slightly left of centre.
    const double dx = (x / kW - 0.42) / 0.5;
    const double glow = std::exp(-(dx * dx) - t * 3.5);
    c = shade(c, 1 + 0.22 * glow);
    // Slow clouds of brighter and darker water.
    c = shade(c, 1 + 0.05 * fbm(x / 260.0, y / 130.0, 11, 4));
    return c;
}

// Rippling light just below the surface.
double surfaceShimmer(double x, double y)
{
    const double t = y / kH;
    if (t > 0.2)
        return 0;
    const double n = fbm(x / 45.0, y / 14.0 + 0.3 * std::sin(x / 60.0), 21, 3);
    const double lines = std::pow(1 - std::min(1.0, std::abs(n) * 4), 3);
    return lines * smoothstep(0.2, 0.0, t);
}

struct Shaft {
    double x;      // where it crosses the top edge
    double slant;  // horizontal drift per pixel down
    double width;  // at the top, pixels
    double power;
};

const Shaft kShafts[] = {
    {150, 0.32, 26, 0.16}, {250, 0.30, 16, 0.10}, {330, 0.28, 34, 0.20}, {450, 0.26, 22, 0.14},
    {520, 0.24, 44, 0.18}, {640, 0.22, 18, 0.11}, {720, 0.20, 30, 0.15}, {860, 0.18, 20, 0.09},
};

double shaftLight(double x, double y)
{
    const double t = y / kH;
    double sum = 0;
    for (const Shaft& s : kShafts) {
        const double cx = s.x + s.slant * y;
        const double w = s.width + 0.12 * y;
        const double d = (x - cx) / w;
        const double flicker = 0.75 + 0.25 * fbm(s.x * 0.1 + y / 90.0, d * 0.5, 31, 3);
        sum += s.power * std::exp(-d * d * 1.6) * flicker;
    }
    return sum * std::pow(std::max(0.0, 1 - t / 0.8), 1.6);
}

Rgb sandAt(double x, double y, double top)
{
    const double depth = std::clamp((y - top) / (kH - top), 0.0, 1.0); // 0 far, 1 near
    Rgb c = mix(rgb8(124, 132, 120), rgb8(198, 178, 130), smoothstep(0.0, 0.9, depth));
    c = mix(c, kHaze, (1 - smoothstep(0.0, 0.5, depth)) * 0.55);
    // Ripples run along the floor and widen towards the viewer.
    const double warp = 2.2 * fbm(x / 120.0, y / 25.0, 41, 3);
    const double ripple = std::sin(y * 0.9 / (0.35 + depth) + x * 0.012 + warp);
    c = shade(c, 1 + 0.07 * ripple * (0.4 + 0.6 * depth));
    // Caustic light playing on the sand.
    const double n = fbm(x / 38.0, y / 11.0, 43, 3);
    const double caustic = std::pow(1 - std::min(1.0, std::abs(n) * 5), 4);
    c = shade(c, 1 + 0.18 * caustic * (0.3 + 0.7 * depth));
    // Grain and scattered darker pebbles.
    c = shade(c, 1 + 0.06 * (latticeHash(static_cast<int>(x), static_cast<int>(y), 45) - 0.5));
    c = shade(c, 1 - 0.08 * smoothstep(0.55, 0.8, fbm(x / 6.0, y / 4.0, 47, 2)));
    return c;
}

// Far rocky hills, hazed into the water, just above the sand line.
double hillLine(double x)
{
    return kH * 0.755 - 22 * std::max(0.0, fbm(x / 160.0, 9.0, 55, 4)) - 8 * std::sin(x / 70.0);
}

struct Rock {
    double x, y;   // centre
    double rx, ry; // radii, pixels
    double haze;   // 0 near, 1 lost in the water
    uint32_t seed;
};

const Rock kRocks[] = {
    {600, 438, 34, 20, 0.45, 1}, {392, 446, 26, 15, 0.35, 2},  {238, 462, 74, 44, 0.1, 3},
    {318, 480, 38, 24, 0.05, 4}, {714, 458, 92, 54, 0.08, 5},  {806, 486, 44, 28, 0.0, 6},
    {96, 494, 50, 30, 0.0, 7},   {930, 470, 40, 26, 0.12, 8},
};

void paintRock(Canvas& canvas, const Rock& rock)
{
    const int x0 = std::max(0, static_cast<int>(rock.x - rock.rx * 1.3));
    const int x1 = std::min(kW - 1, static_cast<int>(rock.x + rock.rx * 1.3));
    const int y0 = std::max(0, static_cast<int>(rock.y - rock.ry * 1.3));
    const int y1 = std::min(kH - 1, static_cast<int>(rock.y + rock.ry * 1.3));
    const Rgb base = mix(rgb8(104, 98, 88), rgb8(86, 92, 96), latticeHash(rock.seed, 1, 3));
    const double lx = -0.35, ly = -0.75, lz = 0.56; // light from above, a little left
    // Soft contact shadow on the sand first.
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double sx = (x + 0.5 - rock.x - 8) / (rock.rx * 1.15);
            const double sy = (y + 0.5 - rock.y - rock.ry * 0.45) / (rock.ry * 0.45);
            const double shadow = smoothstep(1.0, 0.2, sx * sx + sy * sy);
            canvas.at(x, y) = shade(canvas.at(x, y), 1 - 0.35 * shadow * (1 - rock.haze));
        }
    }
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5 - rock.x;
            const double py = y + 0.5 - rock.y;
            const double angle = std::atan2(py, px);
            const double wobble = 1 + 0.12 * fbm(std::cos(angle) * 1.5 + rock.seed, std::sin(angle) * 1.5, 61, 3);
            const double nx = px / (rock.rx * wobble);
            const double ny = py / (rock.ry * wobble);
            const double r = std::sqrt(nx * nx + ny * ny);
            // Sunk into the sand: nothing below 0.55 of the lower radius.
            const double edgePx = (1 - r) * std::min(rock.rx, rock.ry);
            double coverage = std::clamp(edgePx + 0.5, 0.0, 1.0);
            coverage *= smoothstep(0.62, 0.5, ny);
            if (coverage <= 0)
                continue;
            const double nz = std::sqrt(std::max(0.0, 1 - std::min(1.0, r * r)));
            const double lambert = std::max(0.0, nx * lx + ny * ly + nz * lz);
            Rgb c = base;
            c = shade(c, 1 + 0.25 * fbm(px / 9.0 + rock.seed * 7, py / 7.0, 63, 4));
            // Moss on the upper side.
            const double moss = smoothstep(-0.2, -0.6, ny) * smoothstep(-0.1, 0.4, fbm(px / 14.0, py / 10.0, 65 + rock.seed, 3));
            c = mix(c, rgb8(70, 106, 62), moss * 0.7);
            c = c * (0.35 + 0.9 * lambert);
            // Sand settles around the foot.
            c = mix(c, canvas.at(x, y), smoothstep(0.3, 0.58, ny) * 0.6);
            c = mix(c, kHaze, rock.haze * 0.75);
            canvas.blend(x, y, c, coverage);
        }
    }
}

// A kelp plant: a swaying stalk with long blades growing from it.
struct Kelp {
    double x;        // foot
    double height;   // pixels
    double sway;     // sideways bend, pixels
    double width;    // stalk half-width at the foot
    double haze;     // mixes the plant into the water colour
    uint32_t seed;
};

Rgb plantColour(double along, double across, double haze, double hue, double x, double y)
{
    Rgb c = mix(rgb8(16, 52, 30), rgb8(44, 92, 46), along * 0.8 + 0.2 * hue);
    c = mix(c, rgb8(70, 80, 30), 0.25 * hue);
    // Rounded: darker at the edges, a lighter midrib.
    c = shade(c, 1 - 0.35 * across * across);
    c = shade(c, 1 + 0.12 * std::exp(-across * across * 30));
    c = shade(c, 1 + 0.12 * fbm(x / 7.0, y / 7.0, 71, 2));
    return mix(c, kMiddle, haze);
}

void paintKelp(Canvas& canvas, const Kelp& k, double floorY)
{
    Prng rng(k.seed);
    const double topX = k.x + k.sway;
    const double topY = floorY - k.height;
    const double midX = k.x - k.sway * 0.6;
    const double midY = floorY - k.height * 0.55;
    // Blades first so the stalk lies over their roots.
    const int blades = 6 + static_cast<int>(rng.uniform() * 4);
    for (int i = 0; i < blades; ++i) {
        const double t = 0.1 + 0.88 * (i + rng.uniform() * 0.6) / blades;
        const double s = 1 - t;
        const double bx = s * s * k.x + 2 * s * t * midX + t * t * topX;
        const double by = s * s * floorY + 2 * s * t * midY + t * t * topY;
        const double side = (i % 2 == 0) ? 1 : -1;
        const double len = (0.26 + 0.18 * rng.uniform()) * k.height * (1 - 0.3 * t);
        // Blades rise from the stalk and droop a little at the tip.
        const double cx = bx + side * len * 0.45 + k.sway * 0.1;
        const double cy = by - len * 0.75;
        const double ex = bx + side * len * (0.75 + 0.2 * rng.uniform()) + k.sway * 0.25;
        const double ey = by - len * (0.45 + 0.25 * rng.uniform());
        const double bulge = (4.5 + 4 * rng.uniform()) * (1 - 0.3 * t) * (k.width / 5);
        const double hue = rng.uniform();
        const auto blade = curveStroke(bx, by, cx, cy, ex, ey, 0.8, 0.2, bulge, 20);
        rasteriseStroke(blade, kW, kH, [&](int x, int y, const StrokeSample& sm) {
            canvas.blend(x, y, plantColour(0.3 + 0.7 * sm.along, sm.across, k.haze, hue, x, y), sm.coverage);
        });
    }
    const auto stalk = curveStroke(k.x, floorY + 4, midX, midY, topX, topY, k.width, k.width * 0.35, 0, 28);
    rasteriseStroke(stalk, kW, kH, [&](int x, int y, const StrokeSample& sm) {
        canvas.blend(x, y, plantColour(sm.along, sm.across, k.haze, 0.3, x, y), sm.coverage);
    });
}

// A tuft of grass-like strap leaves.
void paintTuft(Canvas& canvas, double x, double floorY, double height, int leaves, double haze, uint32_t seed)
{
    Prng rng(seed);
    for (int i = 0; i < leaves; ++i) {
        const double spread = (rng.uniform() - 0.5) * 2;
        const double len = height * (0.55 + 0.45 * rng.uniform());
        const double bx = x + spread * 10;
        const double ex = bx + spread * len * 0.6 + (rng.uniform() - 0.5) * 20;
        const double ey = floorY - len;
        const double cx = bx + spread * len * 0.1;
        const double cy = floorY - len * 0.7;
        const double hue = rng.uniform();
        const auto leaf = curveStroke(bx, floorY + 3, cx, cy, ex, ey, 2.6, 0.4, 0.8, 14);
        rasteriseStroke(leaf, kW, kH, [&](int px, int py, const StrokeSample& sm) {
            canvas.blend(px, py, plantColour(0.2 + 0.8 * sm.along, sm.across, haze, hue, px, py), sm.coverage);
        });
    }
}

// A rosette of broad lance-shaped leaves (a sword plant) fanning out from one foot.
void paintRosette(Canvas& canvas, double x, double floorY, double height, int leaves, double haze, uint32_t seed)
{
    Prng rng(seed);
    for (int i = 0; i < leaves; ++i) {
        const double fan = (i + 0.5) / leaves * 2 - 1; // -1 left .. 1 right
        const double len = height * (0.6 + 0.4 * rng.uniform()) * (1 - 0.25 * std::abs(fan));
        const double angle = fan * 1.1 + (rng.uniform() - 0.5) * 0.3; // radians from upright
        const double ex = x + std::sin(angle) * len * 1.1;
        const double ey = floorY - std::cos(angle) * len * 0.9;
        const double cx = x + std::sin(angle) * len * 0.35;
        const double cy = floorY - len * 0.8;
        const double hue = rng.uniform();
        const auto leaf = curveStroke(x, floorY, cx, cy, ex, ey, 1.2, 0.3, height * (0.06 + 0.03 * rng.uniform()), 20);
        rasteriseStroke(leaf, kW, kH, [&](int px, int py, const StrokeSample& sm) {
            Rgb c = plantColour(0.35 + 0.65 * sm.along, sm.across, haze, hue, px, py);
            c = mix(c, shade(c, 1.35), 0.5 * std::exp(-std::pow((sm.across + 0.35) / 0.3, 2)) * (1 - haze));
            canvas.blend(px, py, c, sm.coverage);
        });
    }
}

} // namespace

Canvas paintBackground()
{
    Canvas canvas(kW, kH);

    // Water, light from the surface and the shafts it casts.
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            Rgb c = waterAt(x, y);
            c = c + kShaft * (0.12 * surfaceShimmer(x, y));
            c = c + kShaft * shaftLight(x, y);
            canvas.at(x, y) = c;
        }
    }

    // Far hills fading into the haze.
    for (int x = 0; x < kW; ++x) {
        const double top = hillLine(x);
        for (int y = static_cast<int>(top) - 1; y < kH; ++y) {
            const double cover = std::clamp(y + 0.5 - top, 0.0, 1.0);
            const Rgb hill = mix(kHaze, rgb8(30, 74, 100), 0.45 + 0.1 * fbm(x / 30.0, y / 12.0, 57, 3));
            canvas.blend(x, y, hill, cover * 0.85);
        }
    }

    // Distant plants, almost lost in the water.
    const Kelp farKelp[] = {
        {300, 170, 14, 3.2, 0.72, 101}, {455, 120, -10, 2.6, 0.78, 102}, {610, 150, 16, 3.0, 0.74, 103},
        {770, 190, -18, 3.4, 0.7, 104},
    };
    for (const Kelp& k : farKelp)
        paintKelp(canvas, k, hillLine(k.x) + 8);

    // Sand.
    for (int x = 0; x < kW; ++x) {
        const double top = floorLine(x);
        for (int y = static_cast<int>(top) - 1; y < kH; ++y) {
            const double cover = std::clamp(y + 0.5 - top, 0.0, 1.0);
            canvas.blend(x, y, sandAt(x, y, top), cover);
        }
    }

    paintTuft(canvas, 520, floorLine(520) + 14, 40, 9, 0.35, 201);
    paintTuft(canvas, 470, floorLine(470) + 24, 30, 7, 0.25, 202);
    for (const Rock& rock : kRocks)
        paintRock(canvas, rock);

    // Kelp forests at both sides, the outermost darkest.
    const Kelp nearKelp[] = {
        {150, 300, 24, 5.0, 0.35, 301}, {885, 320, -26, 5.2, 0.35, 302}, {60, 400, 34, 6.5, 0.12, 303},
        {200, 240, -18, 4.6, 0.2, 304},  {960, 410, -30, 6.6, 0.1, 305},  {820, 230, 20, 4.4, 0.22, 306},
        {14, 470, 20, 7.5, 0.0, 307},   {1010, 460, -16, 7.5, 0.0, 308},
    };
    for (const Kelp& k : nearKelp) {
        paintKelp(canvas, k, floorLine(k.x) + 30);
        paintTuft(canvas, k.x, floorLine(k.x) + 34, 22 + k.width * 3, 6, k.haze * 0.5, k.seed + 1000);
    }
    paintRosette(canvas, 292, 500, 96, 9, 0.05, 451);
    paintRosette(canvas, 668, 506, 80, 8, 0.08, 452);
    paintTuft(canvas, 390, 505, 60, 9, 0.05, 401);
    paintTuft(canvas, 640, 508, 60, 10, 0.05, 402);
    paintTuft(canvas, 110, 500, 90, 12, 0.0, 403);
    paintTuft(canvas, 930, 505, 95, 12, 0.0, 404);

    // Drifting specks catching the light.
    Prng rng(501);
    for (int i = 0; i < 160; ++i) {
        const double sx = rng.range(0, kW);
        const double sy = rng.range(0, kH * 0.78);
        const double r = rng.range(0.6, 1.6);
        const double bright = rng.range(0.04, 0.14);
        for (int y = static_cast<int>(sy - 3); y <= static_cast<int>(sy + 3); ++y)
            for (int x = static_cast<int>(sx - 3); x <= static_cast<int>(sx + 3); ++x) {
                const double d = std::hypot(x + 0.5 - sx, y + 0.5 - sy);
                canvas.add(x, y, kShaft * (bright * smoothstep(r + 0.8, r - 0.4, d)));
            }
    }

    // A gentle vignette, and nothing may come out pure black: that colour is see-through
    // where this picture is shown.
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double dx = (x + 0.5) / kW - 0.5;
            const double dy = (y + 0.5) / kH - 0.45;
            Rgb& c = canvas.at(x, y);
            c = c * (1 - 0.28 * smoothstep(0.12, 0.45, dx * dx + dy * dy * 1.6));
            c.r = std::max(c.r, 2 / 255.0);
            c.g = std::max(c.g, 2 / 255.0);
            c.b = std::max(c.b, 3 / 255.0);
        }
    }
    return canvas;
}

} // namespace assetgen
