#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>
#include <string>

class QOpenGLContext;
class QWindow;

// A real GL context on a window (under Xvfb) with the aquarium's camera: frustum
// +-0.4 w/h by +-0.4, near 1, far 1000; eye (0, 0, -10) looking at (0, 0, -500). The
// camera looks down -z with +x to the right of the screen and +y up.
class FishGlScene {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 800;

    // One shared context for the whole test program; made current.
    static FishGlScene &instance();

    // Resets the GL state the tests touch, sets the camera and clears to (r, g, b).
    void beginFrame(float r, float g, float b);

    // Back-buffer pixel at window coordinates (x from the left, y from the bottom).
    std::array<int, 3> pixel(int x, int y) const;

    // A linear-filtered RGB texture of w x h pixels, rows bottom first.
    GLuint makeTexture(int w, int h, const unsigned char *rgb) const;
    // A texture from a picture file (BMP, PNG); 0 when it cannot be read.
    GLuint loadTexture(const std::string &path) const;

    // Saves the back buffer as a PNG.
    bool save(const std::string &path) const;

private:
    FishGlScene();
    std::unique_ptr<QWindow> window_;
    std::unique_ptr<QOpenGLContext> context_;
};
