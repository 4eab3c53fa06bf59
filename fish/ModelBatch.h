#pragma once

// Many small models sent to GL as one draw. While a batch collects, every model that
// Fish::draw emits is turned into world coordinates with the model-view matrix of that
// moment (which the caller starts from the identity) and kept, instead of being drawn;
// flush() then draws all of them, in the order they came, under the caller's camera.
// The pellets use it: a hundred models a few pixels wide, each of which would otherwise
// cost the renderer 28 draws with a matrix of its own. Lighting must be off: the batch
// carries positions and texture coordinates, not normals.

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
void coveringTriangles(const float *positions, int stride, int vertexCount, const int *stripFirst,
                       const int *stripCount, int strips, std::vector<WindowPoint> &window,
                       std::vector<unsigned> &indices);

class ModelBatch {
public:
    struct Vertex {
        float s, t;
        float p[3];
    };

    // Models emitted from now on are collected here until end().
    void begin();
    void end();
    // The batch collecting now, or null.
    static ModelBatch *collecting();

    // Appends one model's strips: `positions` in model coordinates (x, y, z each), to be
    // carried by the current model-view matrix; `stripCount[i]` vertices per strip.
    void addModel(const float *texCoords, int texStride, const float *positions, int posStride,
                  int vertexCount, const int *stripCount, int strips);

    // Draws everything collected, as the quad strips it was given would be drawn, with
    // the current matrices, and empties the batch. Triangles that cover no pixel centre
    // (most of a model a few pixels wide) are left out before the renderer sees them. Leaves the current normal and texture coordinate at the last vertex's.
    void flush();

    // The normal that flush() leaves current: the last model's last vertex's.
    void setLastNormal(float nx, float ny, float nz)
    {
        lastNormal[0] = nx;
        lastNormal[1] = ny;
        lastNormal[2] = nz;
    }

private:
    std::vector<Vertex> vertices;
    std::vector<int> stripFirst, stripCount;
    std::vector<WindowPoint> window; // scratch of flush()
    std::vector<unsigned> indices;   // scratch of flush()
    float lastNormal[3] = {0, 0, 1};
};
