#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>
#include <string>

class GlTestContext;

// A real GL context on a window (under Xvfb, 1680 x 1050 unless the test program asks
// for another size) with the aquarium's camera: frustum +-0.4 w/h by +-0.4, near 1, far
// 1000; eye (0, 0, -10) looking at (0, 0, -500). The camera looks down -z with +x to the
// right of the screen and +y up.
class GlScene {
public:
    static constexpr int kWidth = 1680;
    static constexpr int kHeight = 1050;

    // One shared context for the whole test program, on a window of width x height made
    // at the first call (with a QGuiApplication when there is no application object
    // yet); made current. Every call of a program passes the same size. Exits when there
    // is no display.
    static GlScene &instance(int width = kWidth, int height = kHeight);

    int width() const { return width_; }
    int height() const { return height_; }

    // Resets the GL state the tests touch (no lighting, fog or blending; depth test on;
    // texturing on with no texture bound; white colour), sets the camera and clears to
    // (r, g, b).
    void beginFrame(float r, float g, float b);

    // Back-buffer pixel at window coordinates (x from the left, y from the bottom).
    std::array<int, 3> pixel(int x, int y) const;

    // An RGB texture of w x h pixels, rows bottom first, with the given filter for both
    // minifying and magnifying. Leaves no texture bound.
    GLuint makeTexture(int w, int h, const unsigned char *rgb, GLint filter = GL_NEAREST) const;
    // A texture from a picture file (BMP, PNG); 0 when it cannot be read.
    GLuint loadTexture(const std::string &path, GLint filter = GL_NEAREST) const;

    // Saves the back buffer as a PNG.
    bool save(const std::string &path) const;

private:
    GlScene(int width, int height);
    int width_;
    int height_;
    std::unique_ptr<GlTestContext> context_;
};
