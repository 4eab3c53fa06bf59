#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>

class QGuiApplication;
class QOpenGLContext;
class QWindow;

// A real GL context on a 1680 x 1050 window (under Xvfb) with the aquarium's camera:
// frustum +-0.4 w/h by +-0.4, near 1, far 1000; eye (0, 0, -10) looking at (0, 0, -500).
// The camera looks down -z with +x to the right of the screen and +y up.
class GlScene {
public:
    static constexpr int kWidth = 1680;
    static constexpr int kHeight = 1050;

    // One shared context for the whole test program; made current.
    static GlScene &instance();

    // Resets the state the tests touch and sets the camera; clears to `clear`.
    void beginFrame(float r, float g, float b);

    // Back-buffer pixel at window coordinates (x from the left, y from the bottom).
    std::array<int, 3> pixel(int x, int y) const;

    // A nearest-filtered RGB texture of w x h pixels, rows bottom first.
    GLuint makeTexture(int w, int h, const unsigned char *rgb) const;

    // Saves the back buffer as a PNG.
    bool save(const char *path) const;

private:
    GlScene();
    std::unique_ptr<QWindow> window_;
    std::unique_ptr<QOpenGLContext> context_;
};
