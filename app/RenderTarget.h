#pragma once

#include <QSize>

// Where the view draws when it does not draw on a window of its own: something that owns
// a GL context and a drawable, makes them current, shows a finished frame and knows its
// size. The view's drawing code is the same either way; it only ever draws with the
// current context.
class RenderTarget {
public:
    virtual ~RenderTarget() = default;

    // Makes the target's context current on its drawable; false when it cannot.
    virtual bool makeCurrent() = 0;
    // Shows the frame drawn into the back buffer.
    virtual void swapBuffers() = 0;
    virtual void doneCurrent() = 0;

    // The drawable's size in device pixels.
    virtual QSize pixelSize() const = 0;
    // The window drawn on changed size to `pixels` (or, for a window of the target's own,
    // should: it is resized to match).
    virtual void resize(QSize pixels) = 0;
};
