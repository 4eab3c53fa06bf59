#pragma once

// Which triangles of a model can show at all. A fish a hundred pixels long, and a
// pellet a few dozen, are drawn from 520 vertices: many of their triangles fall between
// pixel centres and make no fragment, yet each costs the software renderer its set-up.

#include <vector>

// A vertex's place in the window, when it lies in front of the eye.
struct WindowPoint {
    float xy[2];
    bool inFront;
};

// The triangles of quad strips (`stripCount[k]` vertices from `stripFirst[k]`, positions
// `stride` floats apart) that can cover a pixel centre with the current matrices and
// viewport, as vertex indices in the order the renderer would draw the strips in; the
// others make no fragment, so drawing only these gives the same pixels and depths. Not
// for selection mode, where a triangle between pixel centres can still be a hit.
// About how many pixels a model spans with the current matrices and viewport: twice the
// longest window image of its farthest reach along a model axis; infinity when part of
// that lies at or behind the eye.
double windowSpan(const float *positions, int stride, int vertexCount);

void coveringTriangles(const float *positions, int stride, int vertexCount, const int *stripFirst,
                       const int *stripCount, int strips, std::vector<WindowPoint> &window,
                       std::vector<unsigned> &indices);
