#include "FishGlScene.h"

#include <GL/glu.h>

#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <vector>

namespace {
int argc = 1;
char arg0[] = "test_fish_gl";
char *argv[] = {arg0, nullptr};
} // namespace

FishGlScene &FishGlScene::instance()
{
    static FishGlScene scene;
    scene.context_->makeCurrent(scene.window_.get());
    return scene;
}

FishGlScene::FishGlScene()
{
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    (void)app;
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);

    window_ = std::make_unique<QWindow>();
    window_->setSurfaceType(QSurface::OpenGLSurface);
    window_->setFormat(format);
    window_->setGeometry(0, 0, kWidth, kHeight);
    window_->show();
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    context_->create();
    context_->makeCurrent(window_.get());
}

void FishGlScene::beginFrame(float r, float g, float b)
{
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(kWidth) / kHeight;
    glFrustum(-0.4 * aspect, 0.4 * aspect, -0.4, 0.4, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, -10, 0, 0, -500, 0, 1, 0);
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}

std::array<int, 3> FishGlScene::pixel(int x, int y) const
{
    unsigned char rgb[3] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

GLuint FishGlScene::makeTexture(int w, int h, const unsigned char *rgb) const
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return name;
}

GLuint FishGlScene::loadTexture(const std::string &path) const
{
    QImage image(QString::fromStdString(path));
    if (image.isNull())
        return 0;
    // Rows bottom first, as the program's loader hands them to GL.
    image = image.convertToFormat(QImage::Format_RGB888).mirrored(false, true);
    std::vector<unsigned char> rgb(static_cast<size_t>(image.width()) * image.height() * 3);
    for (int row = 0; row < image.height(); ++row)
        std::copy_n(image.constScanLine(row), image.width() * 3, rgb.data() + static_cast<size_t>(row) * image.width() * 3);
    return makeTexture(image.width(), image.height(), rgb.data());
}

bool FishGlScene::save(const std::string &path) const
{
    std::vector<unsigned char> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    QImage image(rgb.data(), kWidth, kHeight, kWidth * 3, QImage::Format_RGB888);
    return image.mirrored(false, true).save(QString::fromStdString(path));
}
