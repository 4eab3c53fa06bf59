#include "FishSkins.h"

#include "Noise.h"

#include <array>
#include <cmath>
#include <vector>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Anti-aliasing half-width of pattern edges: about one pixel of the skin.
constexpr double kEdge = 1.1 / kSkinSize;

// How much of a point belongs to each fin band (0..1).
struct Zones {
    double dorsal = 0;
    double tail = 0;
    double ventral = 0;
    double fin = 0; // the largest of the three
};

// Per-species finishing: how strong the shared layers are.
struct Finish {
    double scales = 0.10;     // depth of the scale pattern on the body
    double rays = 0.10;       // depth of the fin ray lines
    double finSize = 1.0;     // widens (> 1) or narrows (< 1) the fin bands
    Rgb iris = rgb8(200, 190, 150);
};

Zones zonesAt(double u, double v, double finSize)
{
    Zones z;
    const double tailStart = 1 - (1 - kTailFinStart) * finSize;
    const double dorsalEnd = kDorsalFinEnd * finSize;
    const double ventralStart = 1 - (1 - kVentralFinStart) * finSize;
    // The fin borders bow a little so the body does not read as a box.
    const double bow = std::sin(kPi * clamp01((u - 0.2) / 0.65));
    const double dv = v - 0.5;
    z.tail = smoothstep(tailStart - 0.05, tailStart + 0.05, u + 0.06 * (1 - 4 * dv * dv));
    // The dorsal and ventral fins sit behind the head.
    const double behindHead = smoothstep(0.16, 0.34, u);
    z.dorsal = smoothstep(dorsalEnd + 0.05, dorsalEnd - 0.04, v - 0.03 * bow) * behindHead;
    z.ventral = smoothstep(ventralStart - 0.04, ventralStart + 0.05, v + 0.03 * bow) * behindHead;
    z.fin = std::max(z.tail, std::max(z.dorsal, z.ventral));
    return z;
}

// Vertical gradient of the body: back at v = 0, flank at v = 0.45, belly at v = 1.
Rgb body3(double v, Rgb back, Rgb flank, Rgb belly)
{
    if (v < 0.45)
        return mix(back, flank, smoothstep(0.0, 0.45, v));
    return mix(flank, belly, smoothstep(0.45, 1.0, v));
}

// Coverage (0..1) of the inside of a boundary at signed distance d (negative inside).
double inside(double d, double soft = kEdge) { return smoothstep(soft, -soft, d); }

// A vertical band around u = centre(v): centre + bow * (1 - 4 (v - 0.5)^2), so a positive
// bow pushes the middle of the band towards the tail.
double bandDistance(double u, double v, double centre, double halfWidth, double bow = 0)
{
    const double dv = v - 0.5;
    const double c = centre + bow * (1 - 4 * dv * dv);
    return std::abs(u - c) - halfWidth;
}

double band(double u, double v, double centre, double halfWidth, double bow = 0)
{
    return inside(bandDistance(u, v, centre, halfWidth, bow));
}

// Horizontal stripe around v = centre + slope (u - 0.5) + wave sin(2 pi waves u).
double stripe(double u, double v, double centre, double halfWidth, double slope = 0,
              double wave = 0, double waves = 0)
{
    const double c = centre + slope * (u - 0.5) + wave * std::sin(2 * kPi * waves * u);
    return inside(std::abs(v - c) - halfWidth);
}

// Signed distance (in u units, roughly) to an axis-aligned ellipse.
double ellipseDistance(double u, double v, double cu, double cv, double ru, double rv)
{
    const double x = (u - cu) / ru;
    const double y = (v - cv) / rv;
    return (std::sqrt(x * x + y * y) - 1) * std::min(ru, rv);
}

double ellipse(double u, double v, double cu, double cv, double ru, double rv)
{
    return inside(ellipseDistance(u, v, cu, cv, ru, rv));
}

// Fades a pattern in between u0 and u1 and out between u2 and u3.
double span(double u, double u0, double u1, double u2, double u3)
{
    return smoothstep(u0, u1, u) * smoothstep(u3, u2, u);
}

// Brightness lines of fin rays (0 between rays, 1 on a ray).
double finRays(double u, double v, const Zones& z)
{
    double rays = 0;
    if (z.tail > 0) {
        const double angle = std::atan2(v - 0.5, u - 0.66);
        rays = std::max(rays, z.tail * std::pow(0.5 + 0.5 * std::cos(angle * 32), 4) * smoothstep(0.7, 0.9, u));
    }
    if (z.dorsal > 0)
        rays = std::max(rays, z.dorsal * std::pow(0.5 + 0.5 * std::cos(2 * kPi * (u * 26 + v * 7)), 4));
    if (z.ventral > 0)
        rays = std::max(rays, z.ventral * std::pow(0.5 + 0.5 * std::cos(2 * kPi * (u * 26 - v * 7)), 4));
    return rays;
}

// Overlapping scales: discs on a staggered lattice, each lying over the discs behind it
// (towards the tail), so the visible part of a scale is the crescent between the rim of
// the scale in front and its own rear rim. shadow is 1 where the scale in front casts
// its shadow, rim is 1 on the scale's own rear edge.
struct ScaleHint {
    double rim = 0;
    double shadow = 0;
};

ScaleHint scaleHint(double u, double v)
{
    constexpr double kRadius = 0.85;
    const double a = u * 17;
    const double b = v * 9;
    const double column0 = std::floor(a);
    double bestColumn = 1e9;
    double bestD = 0;
    for (int dc = -1; dc <= 1; ++dc) {
        const double column = column0 + dc;
        const double offset = (static_cast<long>(column) % 2 == 0) ? 0.0 : 0.5;
        const double row = std::floor(b - offset);
        for (int dr = -1; dr <= 1; ++dr) {
            const double cx = column + 0.5;
            const double cy = row + dr + offset + 0.5;
            const double d = std::hypot(a - cx, (b - cy) * 0.9) / kRadius;
            if (d < 1 && column < bestColumn) {
                bestColumn = column;
                bestD = d;
            }
        }
    }
    ScaleHint h;
    if (bestColumn > 1e8)
        return h;
    h.rim = smoothstep(0.86, 0.98, bestD);
    h.shadow = smoothstep(0.75, 0.35, bestD);
    return h;
}

// Gill cover: a curved line behind the head.
double gillLine(double u, double v)
{
    const double dv = v - 0.5;
    const double c = 0.27 - 0.10 * dv * dv * 4;
    const double d = std::abs(u - c);
    return inside(d - 0.006, 0.008) * span(v, 0.16, 0.26, 0.78, 0.9);
}

// Mixes the fin colour into the fin bands, with a margin of `edge` colour at the outer
// border of each fin.
Rgb withFins(Rgb body, double u, double v, const Zones& z, Rgb fin, Rgb edge, double margin = 0.035)
{
    Rgb c = mix(body, fin, z.fin);
    const double tailEdge = z.tail * smoothstep(1 - margin - kEdge, 1 - margin + kEdge, u);
    const double dorsalEdge = z.dorsal * smoothstep(margin + kEdge, margin - kEdge, v);
    const double ventralEdge = z.ventral * smoothstep(1 - margin - kEdge, 1 - margin + kEdge, v);
    return mix(c, edge, std::max(tailEdge, std::max(dorsalEdge, ventralEdge)));
}

// A deterministic scatter of spots (centre u, centre v, radius).
struct Spot {
    double u, v, r;
};

std::vector<Spot> scatterSpots(uint64_t seed, int count, double u0, double u1, double v0,
                               double v1, double r0, double r1)
{
    Prng rng(seed);
    std::vector<Spot> spots;
    int attempts = 0;
    while (static_cast<int>(spots.size()) < count && attempts < count * 40) {
        ++attempts;
        Spot s{rng.range(u0, u1), rng.range(v0, v1), rng.range(r0, r1)};
        bool clear = true;
        for (const Spot& o : spots) {
            const double du = s.u - o.u;
            const double dv = s.v - o.v;
            if (std::sqrt(du * du + dv * dv) < (s.r + o.r) * 1.25)
                clear = false;
        }
        if (clear)
            spots.push_back(s);
    }
    return spots;
}

double spotCover(double u, double v, const std::vector<Spot>& spots, double aspect = 1.0)
{
    double c = 0;
    for (const Spot& s : spots)
        c = std::max(c, ellipse(u, v, s.u, s.v, s.r, s.r * aspect));
    return c;
}

const Rgb kBlack = rgb8(18, 16, 20);
const Rgb kWhite = rgb8(246, 246, 242);

// ---- The species painters: colour at (u, v) before the shared finishing layers ----

Rgb clownfish(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(210, 78, 8), rgb8(246, 118, 18), rgb8(252, 150, 58));
    c = withFins(c, u, v, z, rgb8(240, 112, 20), kBlack, 0.05);
    const struct { double centre, half, bow; } bands[] = {
        {0.21, 0.055, 0.035}, {0.50, 0.065, -0.05}, {0.81, 0.032, 0.0}};
    for (const auto& b : bands) {
        const double d = bandDistance(u, v, b.centre, b.half, b.bow);
        c = mix(c, kBlack, inside(d - 0.016));
        c = mix(c, kWhite, inside(d));
    }
    return c;
}

Rgb blueTang(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(12, 48, 150), rgb8(28, 86, 214), rgb8(80, 140, 232));
    // The black "palette": a sweep from the eye along the upper body to the tail...
    const double sweepCentre = 0.31 + 0.1 * u + 0.03 * std::sin(kPi * u);
    double black = stripe(u, v, sweepCentre, 0.05 + 0.04 * u) * span(u, 0.07, 0.13, 0.82, 0.88);
    // ...that loops down and back around a blue oval.
    const double outer = ellipseDistance(u, v, 0.6, 0.5, 0.24, 0.19);
    const double inner = ellipseDistance(u, v, 0.6, 0.5, 0.15, 0.09);
    black = std::max(black, inside(outer) * (1 - inside(inner)) * smoothstep(0.36, 0.46, u));
    c = mix(c, kBlack, black);
    Rgb dorsal = mix(rgb8(20, 60, 170), kBlack, smoothstep(0.09, 0.03, v));
    c = mix(c, dorsal, z.dorsal);
    c = mix(c, mix(rgb8(24, 70, 190), kBlack, smoothstep(0.93, 0.98, v)), z.ventral);
    // Yellow tail fin with black upper and lower edges.
    Rgb tail = rgb8(255, 208, 24);
    tail = mix(tail, kBlack, inside(0.34 - std::abs(v - 0.5), 0.02) * smoothstep(0.86, 0.93, u));
    c = mix(c, tail, z.tail);
    return c;
}

Rgb yellowTang(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(232, 186, 0), rgb8(255, 218, 18), rgb8(255, 234, 96));
    c = withFins(c, u, v, z, rgb8(252, 206, 8), rgb8(255, 176, 0), 0.03);
    // The white scalpel spine at the tail base.
    c = mix(c, kWhite, ellipse(u, v, 0.77, 0.52, 0.035, 0.016));
    return c;
}

Rgb neonTetra(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(92, 86, 66), rgb8(168, 172, 176), rgb8(232, 234, 238));
    const double stripeCentre = 0.38 + 0.05 * (u - 0.5);
    // Red below the stripe on the rear half, its front edge rounded.
    const double redBottom = 0.84 - 0.2 * smoothstep(0.6, 0.95, u);
    const double below = (v - stripeCentre) / 0.4;
    const double frontEdge = 0.42 + 0.1 * below * below;
    const double red = smoothstep(frontEdge - 0.02, frontEdge + 0.02, u) * smoothstep(stripeCentre + 0.03, stripeCentre + 0.06, v)
        * smoothstep(redBottom + 0.03, redBottom - 0.03, v);
    c = mix(c, rgb8(226, 28, 44), red);
    // The neon line: a bright core with a soft glow.
    const double reach = span(u, 0.09, 0.15, 0.82, 0.9);
    const double dist = std::abs(v - stripeCentre);
    const Rgb neon = mix(rgb8(30, 190, 236), rgb8(70, 236, 176), 0.5 + 0.5 * std::sin(u * 14 + v * 7));
    c = mix(c, neon, reach * std::exp(-std::pow(dist / 0.05, 2)) * 0.7);
    c = mix(c, neon, reach * inside(dist - 0.035, 0.01));
    c = mix(c, shade(neon, 1.3), reach * inside(std::abs(v - stripeCentre + 0.012) - 0.008, 0.008) * 0.7);
    // Clear fins, a little red at the tail base.
    Rgb fin = mix(rgb8(196, 200, 204), c, 0.35);
    fin = mix(fin, rgb8(214, 90, 90), z.tail * smoothstep(0.9, 0.82, u) * 0.5);
    return mix(c, fin, z.fin);
}

Rgb goldfish(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(214, 96, 8), rgb8(246, 146, 26), rgb8(255, 206, 112));
    const double flecks = smoothstep(0.35, 0.75, fbm(u * 5, v * 5, 404));
    c = mix(c, rgb8(255, 186, 60), flecks * 0.5);
    Rgb fin = mix(rgb8(248, 150, 40), rgb8(255, 214, 160), smoothstep(0.86, 1.0, u) * z.tail);
    return withFins(c, u, v, z, fin, rgb8(255, 222, 178), 0.03);
}

Rgb zebraDanio(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(146, 136, 86), rgb8(214, 204, 150), rgb8(236, 232, 204));
    c = withFins(c, u, v, z, rgb8(222, 214, 176), rgb8(250, 248, 236), 0.03);
    const Rgb blue = rgb8(32, 46, 122);
    for (double centre : {0.31, 0.42, 0.53, 0.64, 0.75}) {
        // The stripes draw together a little as they run into the tail.
        const double target = 0.53 + (centre - 0.53) * (1 - 0.35 * z.tail);
        const double s = stripe(u, v, target, 0.028, 0, 0.008, 2.0);
        c = mix(c, blue, s * span(u, 0.16, 0.24, 1.1, 1.2) * (1 - z.dorsal) * (1 - z.ventral));
    }
    return c;
}

Rgb koi(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(238, 234, 226), rgb8(250, 248, 242), rgb8(255, 254, 250));
    // Three large red patches over the back (head, middle, rear), their borders frayed
    // by noise.
    const double fray = 0.045 * fbm(u * 5, v * 5, 606, 3);
    double patch = 0;
    patch = std::max(patch, inside(ellipseDistance(u, v, 0.2, 0.12, 0.15, 0.2) + fray, 0.012));
    patch = std::max(patch, inside(ellipseDistance(u, v, 0.5, 0.2, 0.16, 0.34) + fray, 0.012));
    patch = std::max(patch, inside(ellipseDistance(u, v, 0.76, 0.28, 0.08, 0.2) + fray, 0.012));
    c = withFins(c, u, v, z, rgb8(246, 244, 240), rgb8(255, 255, 255), 0.03);
    return mix(c, rgb8(226, 62, 26), patch * (1 - z.tail) * (1 - z.ventral) * (1 - 0.4 * z.dorsal));
}

Rgb betta(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(110, 6, 24), rgb8(168, 14, 36), rgb8(150, 24, 64));
    const double sheen = smoothstep(0.0, 0.6, fbm(u * 4, v * 4, 707)) * smoothstep(0.2, 0.7, u);
    c = mix(c, rgb8(46, 66, 196), sheen * 0.7);
    // Long dark-red fins with blue streaks along the rays and bright red tips.
    const double streak = std::pow(0.5 + 0.5 * std::sin(std::atan2(v - 0.5, u - 0.5) * 30 + fbm(u * 6, v * 6, 708) * 3), 4);
    Rgb fin = mix(rgb8(118, 0, 22), rgb8(60, 40, 170), streak * 0.55);
    fin = mix(fin, rgb8(214, 32, 52), smoothstep(0.9, 1.0, std::max(u, std::abs(v - 0.5) * 2)) * 0.8);
    return mix(c, fin, z.fin);
}

Rgb guppy(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(104, 106, 76), rgb8(150, 150, 118), rgb8(214, 214, 200));
    static const std::vector<Spot> bodySpots = scatterSpots(808, 6, 0.45, 0.72, 0.3, 0.7, 0.025, 0.045);
    for (size_t i = 0; i < bodySpots.size(); ++i) {
        const Rgb sc = i % 2 ? rgb8(250, 130, 40) : rgb8(60, 120, 230);
        c = mix(c, sc, ellipse(u, v, bodySpots[i].u, bodySpots[i].v, bodySpots[i].r, bodySpots[i].r * 1.4) * 0.8);
    }
    // The large colourful tail: orange with blue spots and small black dots.
    static const std::vector<Spot> blueSpots = scatterSpots(809, 10, 0.62, 1.0, 0.05, 0.95, 0.03, 0.06);
    static const std::vector<Spot> dots = scatterSpots(810, 14, 0.62, 1.0, 0.05, 0.95, 0.008, 0.014);
    Rgb tail = mix(rgb8(250, 118, 30), rgb8(255, 176, 70), smoothstep(0.7, 1.0, u));
    tail = mix(tail, rgb8(40, 92, 224), spotCover(u, v, blueSpots, 1.3));
    tail = mix(tail, kBlack, spotCover(u, v, dots));
    // The guppy's tail fin is far larger than the common tail band.
    const double bigTail = smoothstep(0.6, 0.68, u);
    c = mix(c, tail, bigTail);
    Rgb dorsal = mix(rgb8(240, 140, 60), rgb8(50, 110, 220), smoothstep(0.2, 0.8, fbm(u * 7, v * 7, 811)));
    c = mix(c, dorsal, z.dorsal * (1 - bigTail));
    c = mix(c, rgb8(200, 196, 176), z.ventral * (1 - bigTail));
    return c;
}

Rgb rainbowfish(double u, double v, const Zones& z)
{
    const Rgb front = body3(v, rgb8(24, 70, 170), rgb8(50, 120, 226), rgb8(160, 190, 230));
    const Rgb middle = body3(v, rgb8(70, 70, 150), rgb8(130, 120, 190), rgb8(210, 190, 210));
    const Rgb rear = body3(v, rgb8(190, 60, 30), rgb8(242, 96, 44), rgb8(250, 170, 120));
    Rgb c = u < 0.5 ? mix(front, middle, smoothstep(0.25, 0.5, u)) : mix(middle, rear, smoothstep(0.5, 0.72, u));
    c = mix(c, rgb8(38, 36, 66), stripe(u, v, 0.52, 0.022, -0.04) * span(u, 0.22, 0.3, 0.82, 0.9) * 0.85);
    Rgb fin = mix(rgb8(60, 110, 210), rgb8(232, 74, 40), smoothstep(0.35, 0.6, u));
    return withFins(c, u, v, z, fin, rgb8(50, 30, 40), 0.025);
}

Rgb angelfish(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(168, 170, 160), rgb8(216, 220, 214), rgb8(236, 238, 232));
    c = mix(c, rgb8(226, 200, 120), smoothstep(0.3, 0.05, v) * smoothstep(0.4, 0.1, u) * 0.5);
    // Translucent silver fins with long rays.
    c = mix(c, mix(rgb8(196, 200, 196), c, 0.3), z.fin);
    const double wobble = 0.008 * fbm(u * 4, v * 8, 1010);
    const struct { double centre, half, strength; } bars[] = {
        {0.15, 0.03, 1.0}, {0.38, 0.045, 1.0}, {0.62, 0.05, 1.0}, {0.86, 0.028, 0.6}};
    for (const auto& b : bars)
        c = mix(c, kBlack, band(u + wobble, v, b.centre, b.half, 0.02) * b.strength);
    return c;
}

Rgb discus(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(128, 44, 24), rgb8(176, 70, 36), rgb8(192, 92, 52));
    const double w = v * 9 + 0.3 * std::sin(u * 11 + v * 3) + 0.45 * fbm(u * 4, v * 4, 1111);
    const double line = std::abs(w - std::floor(w) - 0.5);
    const Rgb turquoise = rgb8(44, 190, 190);
    c = mix(c, turquoise, smoothstep(0.27, 0.33, line) * smoothstep(0.05, 0.12, u));
    // Faint dark bars.
    c = mix(c, rgb8(70, 26, 16), (0.5 + 0.5 * std::cos(2 * kPi * u * 8.5)) * 0.22);
    return withFins(c, u, v, z, mix(c, rgb8(210, 80, 40), 0.3), rgb8(236, 96, 44), 0.035);
}

Rgb moorishIdol(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(236, 236, 228), rgb8(248, 248, 242), rgb8(252, 252, 248));
    const Rgb yellow = rgb8(250, 210, 40);
    c = mix(c, yellow, smoothstep(0.6, 0.4, v) * span(u, 0.34, 0.42, 0.56, 0.62));
    c = mix(c, yellow, span(u, 0.74, 0.78, 0.9, 0.94));
    // Orange saddle on the snout.
    c = mix(c, rgb8(242, 160, 50), inside(ellipseDistance(u, v, 0.0, 0.24, 0.12, 0.12), 0.03) * 0.8);
    // Two broad black bands, the front one through the eye.
    c = mix(c, kBlack, band(u, v, 0.25, 0.09, 0.02));
    c = mix(c, kBlack, band(u, v, 0.68, 0.08, -0.02));
    // Long white dorsal streamer and a black tail with a white margin.
    c = mix(c, mix(kWhite, rgb8(220, 220, 214), finRays(u, v, z) * 0.5), z.dorsal * smoothstep(0.09, 0.05, v));
    Rgb tail = mix(kBlack, kWhite, smoothstep(0.955, 0.975, u));
    c = mix(c, tail, z.tail * smoothstep(0.85, 0.9, u));
    return c;
}

Rgb copperband(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(226, 228, 226), rgb8(244, 244, 240), rgb8(250, 250, 246));
    const Rgb orange = rgb8(236, 126, 32);
    const Rgb edge = rgb8(58, 40, 34);
    for (double centre : {0.14, 0.33, 0.52, 0.70}) {
        const double d = bandDistance(u, v, centre, 0.05, 0.02);
        c = mix(c, edge, inside(d - 0.008));
        c = mix(c, orange, inside(d));
    }
    c = mix(c, edge, band(u, v, 0.86, 0.012));
    // The false eye near the tail.
    const double spot = ellipseDistance(u, v, 0.74, 0.2, 0.05, 0.06);
    c = mix(c, kWhite, inside(spot - 0.012));
    c = mix(c, kBlack, inside(spot));
    Rgb tail = mix(rgb8(226, 230, 226), rgb8(60, 50, 50), band(u, v, 0.92, 0.01));
    c = mix(c, tail, z.tail);
    return c;
}

Rgb emperorAngelfish(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(14, 22, 106), rgb8(30, 48, 158), rgb8(48, 78, 186));
    const double w = (v - 0.4 * (u - 0.5) + 0.02 * std::sin(u * 9)) * 15;
    const double line = std::abs(w - std::floor(w) - 0.5);
    const Rgb yellow = rgb8(250, 214, 52);
    c = mix(c, yellow, smoothstep(0.36, 0.42, line) * span(u, 0.3, 0.36, 1.0, 1.1));
    // Pale blue face, a dark mask over the eye, a dark bar behind the gill.
    c = mix(c, rgb8(150, 186, 232), smoothstep(0.14, 0.08, u));
    c = mix(c, rgb8(110, 170, 240), band(u, v, 0.19, 0.058));
    c = mix(c, rgb8(16, 18, 40), band(u, v, 0.19, 0.045));
    c = mix(c, rgb8(120, 180, 240), band(u, v, 0.29, 0.028, -0.01));
    c = mix(c, rgb8(14, 16, 36), band(u, v, 0.29, 0.02, -0.01));
    c = mix(c, mix(c, kWhite, smoothstep(0.05, 0.02, v)), z.dorsal);
    c = mix(c, rgb8(250, 196, 36), z.tail);
    return c;
}

Rgb mandarin(double u, double v, const Zones& z)
{
    const double qx = u * 7 + 1.6 * fbm(u * 4, v * 4, 1515);
    const double qy = v * 7 + 1.6 * fbm(u * 4 + 5.2, v * 4 + 1.3, 1516);
    const double s = std::sin(qx * 2.4 + 2.0 * std::sin(qy * 1.9 + qx * 0.4));
    const Rgb orange = rgb8(250, 120, 28);
    const Rgb blue = rgb8(22, 92, 214);
    Rgb c = mix(blue, orange, smoothstep(-0.12, 0.12, s));
    c = mix(c, rgb8(40, 176, 150), (1 - smoothstep(0.0, 0.35, std::abs(s))) * 0.6);
    c = mix(c, rgb8(16, 46, 60), 1 - smoothstep(0.03, 0.1, std::abs(s)));
    const double wavy = std::sin(v * 60 + 3 * std::sin(u * 14));
    Rgb fin = mix(rgb8(26, 80, 190), orange, smoothstep(0.55, 0.85, wavy));
    return withFins(c, u, v, z, fin, orange, 0.03);
}

Rgb lionfish(double u, double v, const Zones& z)
{
    const Rgb brown = rgb8(152, 46, 26);
    const Rgb white = rgb8(242, 228, 212);
    Rgb c = body3(v, rgb8(120, 40, 24), brown, rgb8(200, 120, 90));
    const double s = u * 9 + 0.05 * std::sin(v * 9) + 0.3 * v;
    const double f = s - std::floor(s);
    c = mix(c, white, smoothstep(0.62, 0.68, f) * smoothstep(0.9, 0.84, f));
    c = mix(c, white, smoothstep(0.2, 0.23, f) * smoothstep(0.29, 0.26, f) * 0.8);
    c = mix(c, mix(c, white, 0.5), smoothstep(0.65, 1.0, v));
    // Banded fin spines: thin rays striped across, translucent between them.
    const double ray = smoothstep(0.72, 0.92, 0.5 + 0.5 * std::cos(2 * kPi * (u * 13 + v * 2.5)));
    const double rings = smoothstep(0.3, 0.7, 0.5 + 0.5 * std::cos(2 * kPi * v * 12));
    const Rgb membrane = mix(rgb8(226, 206, 192), brown, 0.25);
    Rgb spines = mix(membrane, mix(white, brown, rings), ray);
    c = mix(c, spines, std::max(z.dorsal, z.ventral));
    static const std::vector<Spot> tailDots = scatterSpots(1616, 24, 0.82, 1.0, 0.08, 0.92, 0.012, 0.02);
    Rgb tail = mix(rgb8(230, 214, 200), brown, spotCover(u, v, tailDots));
    c = mix(c, tail, z.tail);
    return c;
}

Rgb tigerBarb(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(186, 138, 56), rgb8(236, 190, 92), rgb8(246, 218, 156));
    c = mix(c, rgb8(214, 56, 30), smoothstep(0.07, 0.02, u) * 0.85);
    // Red fin margins; the dorsal fin is black at its base.
    Rgb fin = mix(rgb8(238, 210, 160), kBlack, z.dorsal * smoothstep(0.06, 0.1, v) * span(u, 0.3, 0.4, 0.62, 0.72));
    c = withFins(c, u, v, z, fin, rgb8(222, 40, 28), 0.045);
    const struct { double centre, half; } bars[] = {{0.15, 0.032}, {0.38, 0.05}, {0.6, 0.055}, {0.82, 0.025}};
    for (const auto& b : bars)
        c = mix(c, kBlack, band(u, v, b.centre, b.half, 0.015) * (1 - z.tail * smoothstep(0.86, 0.9, u)));
    return c;
}

Rgb cherryBarb(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(146, 14, 24), rgb8(206, 36, 46), rgb8(236, 112, 112));
    c = mix(c, rgb8(100, 16, 22), stripe(u, v, 0.5, 0.03, 0.02) * span(u, 0.06, 0.14, 0.86, 0.92));
    return withFins(c, u, v, z, rgb8(212, 44, 54), rgb8(244, 120, 110), 0.03);
}

Rgb pufferfish(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(196, 164, 86), rgb8(226, 196, 116), rgb8(236, 214, 160));
    c = mix(c, rgb8(248, 244, 234), smoothstep(0.6, 0.72, v));
    static const std::vector<Spot> spots = scatterSpots(1919, 34, 0.1, 0.95, 0.04, 0.6, 0.018, 0.036);
    c = mix(c, rgb8(84, 62, 30), spotCover(u, v, spots, 1.2) * (1 - z.tail * 0.5));
    return withFins(c, u, v, z, mix(c, rgb8(232, 212, 150), 0.7), rgb8(240, 226, 180), 0.03);
}

Rgb harlequin(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(186, 98, 80), rgb8(236, 146, 116), rgb8(246, 192, 172));
    // The black wedge: a broad front edge under the dorsal fin, tapering to the tail base.
    const double ax = 0.44, ay = 0.28, bx = 0.44, by = 0.72, px = 0.84, py = 0.44;
    auto side = [&](double x0, double y0, double x1, double y1) {
        const double nx = y1 - y0;
        const double ny = x0 - x1;
        const double len = std::sqrt(nx * nx + ny * ny);
        return ((u - x0) * nx + (v - y0) * ny) / len;
    };
    const double d = std::max(side(ax, ay, px, py), std::max(side(px, py, bx, by), side(bx, by, ax, ay)));
    const double cover = inside(d - 0.004, 0.012);
    c = mix(c, rgb8(24, 18, 30), cover);
    return withFins(c, u, v, z, rgb8(240, 146, 104), rgb8(228, 74, 40), 0.035);
}

Rgb royalGramma(double u, double v, const Zones& z)
{
    const Rgb violet = body3(v, rgb8(110, 20, 150), rgb8(160, 50, 200), rgb8(182, 82, 212));
    const Rgb gold = body3(v, rgb8(234, 156, 0), rgb8(255, 194, 22), rgb8(255, 214, 84));
    const double boundary = 0.49 + 0.08 * (v - 0.5);
    Rgb c = mix(violet, gold, smoothstep(boundary - 0.025, boundary + 0.025, u));
    // A thin yellow line through the eye and a black spot on the front of the dorsal fin.
    const double eyeLine = kEyeV + 0.35 * (u - kEyeU);
    c = mix(c, rgb8(255, 210, 60), inside(std::abs(v - eyeLine) - 0.008) * span(u, -0.1, 0.0, 0.22, 0.26) * 0.9);
    c = mix(c, kBlack, ellipse(u, v, 0.3, 0.05, 0.05, 0.05));
    return mix(c, mix(c, shade(c, 1.12), 0.6), z.fin);
}

Rgb clownLoach(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(222, 106, 18), rgb8(250, 146, 36), rgb8(255, 188, 96));
    c = withFins(c, u, v, z, rgb8(220, 36, 26), rgb8(160, 20, 16), 0.03);
    const double wobble = 0.01 * fbm(u * 6, v * 6, 2222);
    c = mix(c, kBlack, band(u + wobble, v, 0.17, 0.045, 0.01) * (1 - z.ventral));
    c = mix(c, kBlack, band(u + wobble, v, 0.46, 0.085, 0.02));
    c = mix(c, kBlack, band(u + wobble, v, 0.75, 0.07, -0.02));
    c = mix(c, kBlack, z.tail * band(u, v, 0.92, 0.03, -0.03) * 0.85);
    return c;
}

Rgb oscar(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(32, 38, 24), rgb8(64, 70, 40), rgb8(96, 90, 56));
    const double m = fbm(u * 5, v * 5, 2323) + 0.35 * fbm(u * 13, v * 13, 2324) + 0.25 * (v - 0.45);
    c = mix(c, rgb8(230, 118, 40), smoothstep(0.04, 0.16, m) * (1 - z.fin * 0.7));
    // The orange-ringed eye-spot at the tail base.
    const double spot = ellipseDistance(u, v, 0.83, 0.42, 0.04, 0.05);
    c = mix(c, rgb8(244, 130, 30), inside(spot - 0.022));
    c = mix(c, kBlack, inside(spot));
    return withFins(c, u, v, z, mix(c, rgb8(40, 40, 30), 0.6), rgb8(120, 110, 70), 0.025);
}

Rgb blueDamsel(double u, double v, const Zones& z)
{
    Rgb c = body3(v, rgb8(8, 36, 140), rgb8(24, 92, 236), rgb8(66, 146, 246));
    c = mix(c, rgb8(120, 200, 255), smoothstep(0.45, 0.8, fbm(u * 9, v * 9, 2424)) * 0.35);
    Rgb fin = mix(rgb8(20, 80, 220), c, 0.3);
    Rgb edge = z.dorsal > z.tail ? rgb8(10, 20, 60) : rgb8(120, 190, 255);
    return withFins(c, u, v, z, fin, edge, 0.03);
}

using Painter = Rgb (*)(double u, double v, const Zones& z);

struct SpeciesRecipe {
    const char* name;
    Painter paint;
    Finish finish;
};

Finish finish(double scales, double rays, double finSize, Rgb iris)
{
    Finish f;
    f.scales = scales;
    f.rays = rays;
    f.finSize = finSize;
    f.iris = iris;
    return f;
}

const Rgb kGoldIris = rgb8(214, 170, 60);
const Rgb kSilverIris = rgb8(200, 204, 200);
const Rgb kRedIris = rgb8(210, 50, 30);
const Rgb kDarkIris = rgb8(60, 50, 40);

const std::array<SpeciesRecipe, kSpeciesCount> kRecipes = {{
    {"Clownfish", clownfish, finish(0.07, 0.08, 1.0, kDarkIris)},
    {"Blue tang", blueTang, finish(0.05, 0.10, 1.0, kDarkIris)},
    {"Yellow tang", yellowTang, finish(0.05, 0.10, 1.0, kDarkIris)},
    {"Neon tetra", neonTetra, finish(0.08, 0.10, 1.0, kSilverIris)},
    {"Goldfish", goldfish, finish(0.20, 0.14, 1.1, kGoldIris)},
    {"Zebra danio", zebraDanio, finish(0.08, 0.10, 1.0, kSilverIris)},
    {"Koi (kohaku)", koi, finish(0.16, 0.10, 1.0, kDarkIris)},
    {"Betta", betta, finish(0.12, 0.16, 1.6, kDarkIris)},
    {"Guppy", guppy, finish(0.08, 0.12, 1.0, kSilverIris)},
    {"Rainbowfish", rainbowfish, finish(0.12, 0.10, 1.0, kSilverIris)},
    {"Angelfish", angelfish, finish(0.06, 0.14, 1.3, kRedIris)},
    {"Discus", discus, finish(0.04, 0.10, 1.1, kRedIris)},
    {"Moorish idol", moorishIdol, finish(0.03, 0.08, 1.2, kDarkIris)},
    {"Copperband butterflyfish", copperband, finish(0.05, 0.08, 1.1, kDarkIris)},
    {"Emperor angelfish", emperorAngelfish, finish(0.04, 0.08, 1.0, kDarkIris)},
    {"Mandarin dragonet", mandarin, finish(0.0, 0.08, 1.0, kGoldIris)},
    {"Lionfish", lionfish, finish(0.04, 0.0, 1.4, kRedIris)},
    {"Tiger barb", tigerBarb, finish(0.10, 0.08, 1.0, kRedIris)},
    {"Cherry barb", cherryBarb, finish(0.14, 0.10, 1.0, kGoldIris)},
    {"Pufferfish", pufferfish, finish(0.0, 0.10, 0.8, kGoldIris)},
    {"Harlequin rasbora", harlequin, finish(0.10, 0.10, 1.0, kSilverIris)},
    {"Royal gramma", royalGramma, finish(0.08, 0.10, 1.0, kDarkIris)},
    {"Clown loach", clownLoach, finish(0.03, 0.10, 1.0, kRedIris)},
    {"Oscar", oscar, finish(0.10, 0.08, 1.0, kRedIris)},
    {"Blue damselfish", blueDamsel, finish(0.08, 0.10, 1.0, kDarkIris)},
}};

// Shared layers over every species: shading of the rounded body, the sheen along the
// upper flank, scales, fin rays, gill cover, noise and the eye.
Rgb finished(int species, double u, double v)
{
    const SpeciesRecipe& recipe = kRecipes[species];
    const Finish& f = recipe.finish;
    const Zones z = zonesAt(u, v, f.finSize);
    Rgb c = recipe.paint(u, v, z);
    const double body = 1 - z.fin;

    // Darker back, lighter belly.
    const double light = mix(0.74, 1.08, smoothstep(0.0, 0.85, v));
    c = shade(c, mix(1.0, light, 0.6 + 0.4 * body));

    // Scales.
    if (f.scales > 0) {
        const ScaleHint s = scaleHint(u, v);
        // Scales cover an oval flank, fading out towards the head and the fins.
        const double du = (u - 0.52) / (0.34 * (2 - f.finSize));
        const double dv = (v - 0.5) / (0.38 * (2 - f.finSize));
        const double where = smoothstep(1.0, 0.3, du * du + dv * dv);
        c = shade(c, 1 - f.scales * (0.8 * s.rim + 0.5 * s.shadow) * where);
        c = shade(c, 1 + f.scales * 0.5 * (1 - s.rim) * (1 - s.shadow) * where);
    }

    // Fin rays.
    if (z.fin > 0 && f.rays > 0)
        c = shade(c, 1 - f.rays * finRays(u, v, z));

    // Gill cover: a dark line with a soft light rim behind it.
    c = shade(c, 1 - 0.22 * gillLine(u, v) * body);
    c = shade(c, 1 + 0.06 * gillLine(u - 0.012, v) * body);

    // Sheen along the upper flank, fading towards the tail.
    const double sheen = std::exp(-std::pow((v - 0.3) / 0.07, 2)) * body * smoothstep(0.95, 0.5, u)
        * smoothstep(0.02, 0.12, u);
    c = shade(c, 1 + 0.16 * sheen);

    // Fine noise so no area is flat.
    const double n = fbm(u * 24, v * 24, 5000 + species, 3);
    c = shade(c, 1 + 0.05 * n);

    // The eye: dark outline, iris, pupil and a small highlight.
    const double eye = ellipseDistance(u, v, kEyeU, kEyeV, 0.048, 0.068);
    const double pupil = ellipseDistance(u, v, kEyeU + 0.004, kEyeV + 0.002, 0.024, 0.034);
    const double glint = ellipseDistance(u, v, kEyeU - 0.01, kEyeV - 0.018, 0.009, 0.012);
    Rgb iris = mix(shade(f.iris, 1.15), shade(f.iris, 0.7), smoothstep(kEyeV - 0.05, kEyeV + 0.06, v));
    c = mix(c, rgb8(24, 20, 18), inside(eye - 0.008, 0.006));
    c = mix(c, iris, inside(eye, 0.006));
    c = mix(c, rgb8(8, 8, 12), inside(pupil, 0.005));
    c = mix(c, rgb8(250, 252, 255), inside(glint, 0.005) * 0.9);
    return c;
}

} // namespace

const char* speciesName(int species)
{
    if (species < 0 || species >= kSpeciesCount)
        return "";
    return kRecipes[species].name;
}

Canvas paintSkin(int species)
{
    Canvas canvas(kSkinSize, kSkinSize);
    if (species < 0 || species >= kSpeciesCount)
        return canvas;
    // 3 x 3 samples per pixel.
    constexpr int kSub = 3;
    for (int y = 0; y < kSkinSize; ++y) {
        for (int x = 0; x < kSkinSize; ++x) {
            Rgb sum;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const double u = (x + (sx + 0.5) / kSub) / kSkinSize;
                    const double v = (y + (sy + 0.5) / kSub) / kSkinSize;
                    sum = sum + finished(species, u, v);
                }
            }
            canvas.at(x, y) = sum * (1.0 / (kSub * kSub));
        }
    }
    return canvas;
}

} // namespace assetgen
