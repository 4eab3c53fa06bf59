#pragma once

#include <vector>

struct AquariumSettings;

// One point of the background surface, in world units.
struct SurfacePoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

// One vertex of a surface strip: texture coordinate (s, t) and position.
struct SurfaceVertex {
    float s = 0;
    float t = 0;
    SurfacePoint position;
};

// The curved surface the background picture hangs on: a degree-5 Bezier patch of 6 x 6
// control points standing at z = -90 behind the fish, whose two upper rows sway slowly
// back and forth. The sway advances one step per update, i.e. one per scene step.
//
// Parameters: u = 1 is the left column, u = 0 the right one; v = 1 is the top row, v = 0
// the bottom one. The texture coordinate s equals u and t equals v, so the picture's left
// edge lies at the right end of the tank and its bottom row at the bottom of the surface.
class BackgroundSurface {
public:
    static constexpr int kGridSize = 6;

    // Row 0 is the top row, column 0 the left column.
    SurfacePoint controlGrid[kGridSize][kGridSize] = {};
    // Sideways and depth offset of the two upper rows, world units, swinging within
    // about -0.504 .. 1.0 by 0.008 per step.
    float swayOffset = 0.0f;
    bool swayRising = true;
    // Strips per direction; every update sets it to 2.
    int subdivisions = 2;

    // Advances the sway (only when backgroundSetting, the "BACKGROUND" setting, is 0 or
    // 2) and rebuilds controlGrid between the tank's x extents xMin and xMax.
    void updateControlGrid(float xMin, float xMax, int backgroundSetting);
    // Rebuilds controlGrid from the sway as it is, between xMin and xMax.
    void layOutControlGrid(float xMin, float xMax);

    // The patch at (u, v), both in 0..1.
    SurfacePoint surfacePoint(double u, double v) const;

    // The triangle strips drawSurface emits, in order: subdivisions + 1 strips of
    // 2 x (subdivisions + 1) vertices. The first strip has zero area. Empty when
    // subdivisions is below 1.
    std::vector<std::vector<SurfaceVertex>> strips() const;

    // The edge of what strips() draws, as a closed loop of their vertices: the v = 0 row
    // with u rising, the u = 1 column with v rising, the v = 1 row with u falling, the
    // u = 0 column with v falling; 4 x subdivisions points, each corner once.
    std::vector<SurfacePoint> outline() const;

    // Emits strips() with whatever texture, colour and normal are current; no state
    // is changed. Defined in environment_gl; needs a current GL context.
    void drawSurface() const;
};

// The degree-5 curve through q with t and 1 - t exchanged: bezierPoint(q, 1) = q[0],
// bezierPoint(q, 0) = q[5].
SurfacePoint bezierPoint(const SurfacePoint (&q)[BackgroundSurface::kGridSize], double t);

// A point in window coordinates, pixels.
struct WindowPoint {
    double x = 0;
    double y = 0;
};

// Whether the closed polygon `loop` encloses the whole rectangle 0..width x 0..height with
// room to spare: no edge comes within `margin` pixels of it and the loop winds around
// it. Then anything drawn as a continuous mesh with that loop as its edge covers every
// pixel of the rectangle. An empty loop encloses nothing.
bool loopEnclosesRect(const std::vector<WindowPoint> &loop, double width, double height,
                      double margin);

// Whether the frame shows (and the step advances) the surface: "BACKGROUND" 0 and
// "Show Terra" not 0.
bool backgroundSurfaceShown(const AquariumSettings &settings);

// The surface's part of a scene step: when it is shown, updateControlGrid.
void stepBackgroundSurface(BackgroundSurface &surface, float tankXMin, float tankXMax,
                           const AquariumSettings &current);

// The texture the surface shows: the current own picture while own pictures are on,
// otherwise the built-in picture. The rotation's "no picture" marker (any negative value)
// gives 0, an untextured surface.
unsigned surfacePictureTexture(bool ownImageOn, int currentOwnTexture, unsigned builtInTexture);
