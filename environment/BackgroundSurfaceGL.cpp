#include "BackgroundSurface.h"
#include "EnvironmentPasses.h"

#include "Settings.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// Projects world points to window coordinates relative to the viewport's corner with the
// current model-view and projection matrices.
class WindowProjection {
public:
    WindowProjection()
    {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    int width() const { return viewport[2]; }
    int height() const { return viewport[3]; }

    // False for a point at or behind the eye.
    bool project(const SurfacePoint &p, WindowPoint &out) const
    {
        double eye[4], clip[4];
        const double in[4] = {p.x, p.y, p.z, 1};
        for (int r = 0; r < 4; ++r)
            eye[r] = modelView[r] * in[0] + modelView[4 + r] * in[1] + modelView[8 + r] * in[2] +
                     modelView[12 + r] * in[3];
        for (int r = 0; r < 4; ++r)
            clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] +
                      projection[8 + r] * eye[2] + projection[12 + r] * eye[3];
        if (!(clip[3] > 0))
            return false;
        out.x = (clip[0] / clip[3] + 1) / 2 * viewport[2];
        out.y = (clip[1] / clip[3] + 1) / 2 * viewport[3];
        return true;
    }

private:
    double modelView[16];
    double projection[16];
    GLint viewport[4];
};

// The most texels of a w x h picture that one pixel step crosses anywhere on the drawn
// surface (the texture footprint the sampler's level choice starts from), taken triangle
// by triangle of the surface's mesh; infinity when a point cannot be projected.
double texelsPerPixel(const BackgroundSurface &surface, int w, int h)
{
    const int n = surface.subdivisions;
    const WindowProjection view;
    std::vector<WindowPoint> mesh((n + 1) * (n + 1));
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j)
            if (!view.project(surface.surfacePoint(double(i) / n, double(j) / n), mesh[i * (n + 1) + j]))
                return INFINITY;
    // A triangle with corner c and neighbours along u (cu) and along v (cv): the map from
    // texels to pixels is [eu ev] with eu = (cu - c) / (w / n), ev = (cv - c) / (h / n);
    // the rows of its inverse are the texel steps per pixel step in x and in y.
    auto footprint = [&](WindowPoint c, WindowPoint cu, WindowPoint cv) {
        const double a = (cu.x - c.x) * n / w, b = (cv.x - c.x) * n / h;
        const double d = (cu.y - c.y) * n / w, e = (cv.y - c.y) * n / h;
        const double det = a * e - b * d;
        if (std::fabs(det) < 1e-12)
            return double(INFINITY);
        const double sx = e / det, sy = -b / det, tx = -d / det, ty = a / det;
        return std::max(std::hypot(sx, tx), std::hypot(sy, ty));
    };
    double most = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const WindowPoint p00 = mesh[i * (n + 1) + j], p10 = mesh[(i + 1) * (n + 1) + j];
            const WindowPoint p01 = mesh[i * (n + 1) + j + 1], p11 = mesh[(i + 1) * (n + 1) + j + 1];
            most = std::max({most, footprint(p00, p10, p01), footprint(p11, p01, p10)});
        }
    return most;
}

// The minification filter that samples the bound picture exactly as `minFilter` would on
// this surface but without choosing a mipmap level per pixel, or `minFilter` itself.
// Where every pixel step stays under one texel the picture is magnified everywhere and
// only the magnification filter acts; with GL_LINEAR_MIPMAP_NEAREST, steps of up to
// sqrt(2) texels still pick level 0. The bounds leave room for the perspective within a
// triangle and the sway between the measure and the draw.
GLint levelZeroFilter(const BackgroundSurface &surface, GLint minFilter, GLint magFilter)
{
    if (minFilter == GL_NEAREST || minFilter == GL_LINEAR)
        return minFilter;
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    if (w <= 0 || h <= 0 || surface.subdivisions < 1)
        return minFilter;
    const double steps = texelsPerPixel(surface, w, h);
    if (steps <= 0.9)
        return magFilter;
    if (steps <= 1.3 && minFilter == GL_LINEAR_MIPMAP_NEAREST && magFilter == GL_LINEAR)
        return GL_LINEAR;
    return minFilter;
}

} // namespace

void BackgroundSurface::drawSurface() const
{
    for (const auto &strip : strips()) {
        glBegin(GL_TRIANGLE_STRIP);
        for (const SurfaceVertex &v : strip) {
            glTexCoord2f(v.s, v.t);
            glVertex3d(v.position.x, v.position.y, v.position.z);
        }
        glEnd();
    }
}

void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax, const AquariumSettings &current)
{
    if (!backgroundSurfaceShown(current))
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    // The grid as the last step left it, spanning the tank as it is now (after a resize
    // that no step has followed yet).
    surface.layOutControlGrid(tankXMin, tankXMax);
    // A mipmapped picture that is magnified (the built-in one on any common screen) is
    // sampled without the per-pixel level choice, which is much of the cost of the
    // largest layer of the frame; the texture's own setting is restored afterwards.
    GLint minFilter = GL_LINEAR, magFilter = GL_LINEAR;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    const GLint drawFilter = texture != 0 ? levelZeroFilter(surface, minFilter, magFilter) : minFilter;
    if (drawFilter != minFilter)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, drawFilter);
    surface.drawSurface();
    if (drawFilter != minFilter)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glPopMatrix();
}

void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax)
{
    drawBackgroundPass(surface, texture, tankXMin, tankXMax, settings);
}

bool surfaceWillCoverViewport(const BackgroundSurface &surface, float tankXMin, float tankXMax,
                              const AquariumSettings &current)
{
    if (!backgroundSurfaceShown(current))
        return false;
    BackgroundSurface next = surface;
    next.layOutControlGrid(tankXMin, tankXMax);
    const WindowProjection view;
    std::vector<WindowPoint> loop;
    for (const SurfacePoint &p : next.outline()) {
        WindowPoint w;
        if (!view.project(p, w))
            return false;
        loop.push_back(w);
    }
    return loopEnclosesRect(loop, view.width(), view.height(), 1.0);
}
