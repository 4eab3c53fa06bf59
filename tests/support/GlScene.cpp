#include "GlScene.h"

#include "GlTestContext.h"
#include "TestApplication.h"

#include <QGuiApplication>
#include <QImage>

#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

GlScene &GlScene::instance(int width, int height)
{
    static GlScene scene(width, height);
    if (width != scene.width_ || height != scene.height_) {
        std::fprintf(stderr, "GlScene asked for %d x %d after %d x %d\n", width, height, scene.width_, scene.height_);
        std::abort();
    }
    scene.context_->makeCurrent();
    return scene;
}

GlScene::GlScene(int width, int height) : width_(width), height_(height)
{
    testApplication<QGuiApplication>();
    context_ = std::make_unique<GlTestContext>(width_, height_, true);
    if (!context_->isValid()) {
        std::fprintf(stderr, "no GL context (run under xvfb-run)\n");
        std::exit(1);
    }
}

void GlScene::beginFrame(float r, float g, float b)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = double(width_) / height_;
    glFrustum(-0.4 * aspect, 0.4 * aspect, -0.4, 0.4, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, -10, 0, 0, -500, 0, 1, 0);
    glViewport(0, 0, width_, height_);

    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glClearColor(r, g, b, 1);
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

GLuint GlScene::makeTexture(int w, int h, const unsigned char *rgb, GLint filter) const
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

GLuint GlScene::loadTexture(const std::string &path, GLint filter) const
{
    QImage image(QString::fromStdString(path));
    if (image.isNull())
        return 0;
    // Rows bottom first, as the program's loader hands them to GL.
    image = image.convertToFormat(QImage::Format_RGB888).mirrored(false, true);
    const size_t rowBytes = size_t(image.width()) * 3;
    std::vector<unsigned char> rgb(rowBytes * image.height());
    for (int row = 0; row < image.height(); ++row)
        std::copy_n(image.constScanLine(row), rowBytes, rgb.data() + row * rowBytes);
    return makeTexture(image.width(), image.height(), rgb.data(), filter);
}

bool GlScene::save(const std::string &path) const
{
    std::vector<unsigned char> rgb(size_t(width_) * height_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    QImage image(rgb.data(), width_, height_, width_ * 3, QImage::Format_RGB888);
    return image.mirrored(false, true).save(QString::fromStdString(path));
}
