#include "GlScene.h"

#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

GlScene &GlScene::instance()
{
    static GlScene scene;
    return scene;
}

GlScene::GlScene()
{
    static int argc = 1;
    static char name[] = "test_environment_gl";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);

    window_ = std::make_unique<QWindow>();
    window_->setSurfaceType(QSurface::OpenGLSurface);
    window_->setFormat(format);
    window_->setGeometry(0, 0, kWidth, kHeight);
    window_->show();

    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create() || !context_->makeCurrent(window_.get())) {
        std::fprintf(stderr, "no GL context (run under xvfb-run)\n");
        std::exit(1);
    }
}

void GlScene::beginFrame(float r, float g, float b)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = double(kWidth) / kHeight;
    glFrustum(-0.4 * aspect, 0.4 * aspect, -0.4, 0.4, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, -10, 0, 0, -500, 0, 1, 0);
    glViewport(0, 0, kWidth, kHeight);

    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClearColor(r, g, b, 0.5f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::array<int, 3> GlScene::pixel(int x, int y) const
{
    unsigned char rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

GLuint GlScene::makeTexture(int w, int h, const unsigned char *rgb) const
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

bool GlScene::save(const char *path) const
{
    std::vector<unsigned char> rgb(size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    QImage image(rgb.data(), kWidth, kHeight, kWidth * 3, QImage::Format_RGB888);
    return image.mirrored().save(path);
}
