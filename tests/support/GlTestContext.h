#pragma once

#include <QOpenGLContext>
#include <QWindow>

// A compatibility-profile GL context (RGB 8 bits a channel, 24-bit depth, double
// buffered, swaps not tied to the display) on a window of its own, made current. Needs a QGuiApplication (or
// QApplication) and a display (run under xvfb-run).
class GlTestContext {
public:
    // `shown`: the window is put on the screen, else only created.
    GlTestContext(int width, int height, bool shown);
    GlTestContext(const GlTestContext &) = delete;
    GlTestContext &operator=(const GlTestContext &) = delete;

    bool isValid() const { return ok_; }
    bool makeCurrent() { return context_.makeCurrent(&window_); }
    void swapBuffers() { context_.swapBuffers(&window_); }

private:
    QWindow window_;
    QOpenGLContext context_;
    bool ok_ = false;
};
