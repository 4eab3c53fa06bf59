#pragma once

#include "RenderTarget.h"

#include <QString>

#include <cstdint>
#include <memory>

struct _XDisplay;
struct __GLXcontextRec;

// Draws through GLX on an X window that Qt knows nothing of, on a display connection of
// its own. Given a root window it draws on the root window itself, with a GL config of the
// root's own visual, as X screensaver programs do: no new window, nothing for a window
// manager to manage. Given any other window (a screensaver host's) it makes a plain child
// window that fills it and draws on that: a window of no properties, whose making sends
// no message to anyone (a Qt child window announces window-manager states to the root).
class GlxRenderTarget : public RenderTarget {
public:
    // A target on `window` of `size` device pixels, or null with the reason in `why` (no
    // display, no GL config that can draw there, the window gone).
    static std::unique_ptr<GlxRenderTarget> create(uint32_t window, QSize size, QString *why);
    ~GlxRenderTarget() override;
    GlxRenderTarget(const GlxRenderTarget &) = delete;
    GlxRenderTarget &operator=(const GlxRenderTarget &) = delete;

    bool makeCurrent() override;
    void swapBuffers() override;
    void doneCurrent() override;
    QSize pixelSize() const override { return size; }
    void resize(QSize pixels) override;

private:
    GlxRenderTarget() = default;
    bool open(uint32_t window, QString *why);

    _XDisplay *display = nullptr;
    __GLXcontextRec *context = nullptr;
    unsigned long window = 0;   // the root window itself, or the child made in the host
    unsigned long colormap = 0; // the child's
    bool ownWindow = false;
    QSize size;
};
