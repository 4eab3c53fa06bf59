// Renders the background surface and the three bubble streams with the aquarium's camera
// and GL state, saves screenshots and prints what the passes cost per frame.
//
//   environment_preview [picture file | --test-card] [output directory]
//
// By default it shows the built-in picture "BackGround0" and the built-in bubble sprite,
// extracted and loaded the way the scene set-up does. Not a test: it asserts nothing.

#include "AssetStore.h"
#include "EnvironmentPasses.h"
#include "GlScene.h"
#include "Settings.h"
#include "TextureLoader.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr float kTankXMin = -54, kTankXMax = 54, kTankYMin = -21, kTankZBack = -50;

QImage testCard()
{
    QImage image(1024, 768, QImage::Format_RGB888);
    QPainter p(&image);
    QLinearGradient sea(0, 0, 0, 768);
    sea.setColorAt(0, QColor(40, 120, 190));
    sea.setColorAt(1, QColor(10, 40, 80));
    p.fillRect(image.rect(), sea);
    p.setPen(QPen(QColor(200, 220, 255), 2));
    for (int x = 0; x <= 1024; x += 64)
        p.drawLine(x, 0, x, 768);
    for (int y = 0; y <= 768; y += 64)
        p.drawLine(0, y, 1024, y);
    p.fillRect(0, 0, 128, 768, QColor(200, 60, 60));    // left edge red
    p.fillRect(0, 704, 1024, 64, QColor(220, 200, 80)); // bottom rows sand
    QFont font("DejaVu Sans", 72, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(140, 300, 800, 200), Qt::AlignCenter, "LEFT  ->  RIGHT");
    return image;
}

// Like the mipmapped loader: RGBA, pure black transparent, bottom row first.
GLuint uploadPicture(const QImage &picture)
{
    QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888).mirrored();
    for (int y = 0; y < rgba.height(); ++y) {
        uchar *row = rgba.scanLine(y);
        for (int x = 0; x < rgba.width(); ++x, row += 4)
            row[3] = (row[0] | row[1] | row[2]) ? 255 : 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, rgba.width(), rgba.height(), GL_RGBA,
                      GL_UNSIGNED_BYTE, rgba.constBits());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return name;
}

// The frame's fixed state at the surface pass: texturing, lighting with light 1 full,
// colour material, white.
void frameState()
{
    const GLfloat one[4] = {1, 1, 1, 1};
    const GLfloat position[4] = {1000, -1000, 1000, 1};
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_AMBIENT, one);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, one);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glPopMatrix();
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    GlScene &scene = GlScene::instance();
    const QString outDir = argc > 2 ? argv[2] : "/tmp/env";
    QDir().mkpath(outDir);
    const std::string assets = assetDirectory();

    GLuint pictureTexture = 0;
    const QString choice = argc > 1 ? argv[1] : "";
    if (choice.isEmpty()) {
        extractAsset(154, assets, "BackGround0");
        loadMipmappedTexture(assets + "BackGround0.bmp", &pictureTexture);
        deleteAssetFile(assets + "BackGround0.ad");
        deleteAssetFile(assets + "BackGround0.bmp");
    } else {
        QImage picture = choice == "--test-card" ? testCard() : QImage(choice);
        if (picture.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        pictureTexture = uploadPicture(picture);
    }

    BackgroundSurface surface;
    BubbleEmitter emitters[3];
    EmitterOrigin origins[3];
    // The set-up's order: surface first, then the emitters with their 110 draws each.
    scene.beginFrame(0, 0, 0);
    surface.updateControlGrid(kTankXMin, kTankXMax, settings.background);
    surface.drawSurface();
    setUpBubbleEmitters(emitters, origins, kTankYMin, kTankZBack, 0, assets);

    auto frame = [&](int qipaoNum, bool withSurface, bool withBubbles) {
        scene.beginFrame(0, 0, 0);
        frameState();
        if (withSurface) {
            stepBackgroundSurface(surface, kTankXMin, kTankXMax, settings);
            drawBackgroundPass(surface, pictureTexture, kTankXMin, kTankXMax, settings);
        }
        if (withBubbles) {
            stepBubbles(emitters, qipaoNum);
            drawBubblePass(emitters, origins);
        }
        glDisable(GL_LIGHTING);
    };

    for (int i = 0; i < 400; ++i)
        frame(0, true, true);
    scene.save(qPrintable(outDir + "/surface_bubbles_all.png"));
    for (int i = 0; i < 125; ++i)
        frame(100, true, true);
    scene.save(qPrintable(outDir + "/surface_bubbles_default.png"));
    frame(0, true, false);
    scene.save(qPrintable(outDir + "/surface_only.png"));

    struct Case {
        const char *name;
        int qipaoNum;
        bool surface, bubbles;
    } cases[] = {{"clear only", 0, false, false},
                 {"clear + surface", 0, true, false},
                 {"clear + 330 bubbles", 0, false, true},
                 {"clear + surface + 330 bubbles", 0, true, true},
                 {"clear + surface + 30 bubbles (QIPAONUM 100)", 100, true, true}};
    for (const Case &c : cases) {
        std::vector<double> ms;
        for (int i = 0; i < 60; ++i) {
            QElapsedTimer t;
            t.start();
            frame(c.qipaoNum, c.surface, c.bubbles);
            glFinish();
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%-46s median %6.2f ms per frame (1680 x 1050)\n", c.name, medianMs(ms));
    }
    std::printf("screenshots in %s\n", qPrintable(outDir));
    return 0;
}
