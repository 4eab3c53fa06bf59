#include "GlTestContext.h"

#include <QSurfaceFormat>

GlTestContext::GlTestContext(int width, int height, bool shown)
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setSwapInterval(0);

    window_.setSurfaceType(QSurface::OpenGLSurface);
    window_.setFormat(format);
    window_.setGeometry(0, 0, width, height);
    if (shown)
        window_.show();
    else
        window_.create();
    context_.setFormat(format);
    ok_ = context_.create() && makeCurrent();
}
