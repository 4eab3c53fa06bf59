// The whole picture of one fixed frame, pixel by pixel, against a stored reference: the
// full tank in Feed mode (25 fish, 100 pellets, the picture surface, 330 bubbles, the help
// text) from a fixed random seed, frame 40, drawn into a 640 x 400 viewport. Any change
// to how a frame is drawn must leave this picture as it is.
//
// The reference is tests/app/data/frame-feed-640x400.png. To look at a frame, set
// VARLENSCR_SAVE_FRAME=<file.png>: the test saves what it drew there.
#include "AquariumView.h"
#include "MainFrame.h"
#include "PopupMenuEntries.h"
#include "ProfileFile.h"
#include "Random.h"
#include "TankExtents.h"
#include "TestApplication.h"

#include <GL/gl.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWidth = 640, kHeight = 400;
constexpr int kFrame = 40;
constexpr int kLevels = 2;            // per channel
constexpr double kShareWithin = 0.995; // of all pixels

// Draws the fixed scene up to kFrame and returns that frame, top row first.
QImage drawFixedFrame(int framesToDraw)
{
    testApplication<QApplication>();
    QTemporaryDir config, runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Default settings (the picture surface, 330 bubbles), one fish of every species.
    for (int i = 0; i < 25; ++i)
        writeProfileString("Fish Number", "Fish" + std::to_string(i), "1");

    varlen::seedRandom(20261207);
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->onCreate() || !frame->view() || !frame->view()->glContext())
        return {};
    AquariumView &view = *frame->view();
    view.setFramesRunning(false);
    // The scene is laid out for the test screen; the frame is drawn smaller with the same
    // aspect ratio, which frames the same tank.
    const TankExtents expected = tankExtentsForScreen(1680, 1050);
    if (view.tankXMin != expected.xMin || view.tankYMax != expected.yMax)
        return {};
    view.screenWidth = kWidth;
    view.screenHeight = kHeight;
    view.onCommand(kCommandFeedFish);

    QImage shot;
    view.afterFrameHook = [&] {
        if (view.framesDrawn() != framesToDraw)
            return;
        QImage img(kWidth, kHeight, QImage::Format_RGB888);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        for (int y = 0; y < kHeight; ++y)
            glReadPixels(0, kHeight - 1 - y, kWidth, 1, GL_RGB, GL_UNSIGNED_BYTE, img.scanLine(y));
        shot = img;
    };
    while (view.framesDrawn() < framesToDraw)
        view.drawFrame();
    return shot;
}

// Share of pixels whose every channel is within `levels` of the other picture's.
double shareWithin(const QImage &a, const QImage &b, int levels)
{
    long close = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *p = a.constScanLine(y), *q = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            bool near = true;
            for (int c = 0; c < 3; ++c)
                near = near && std::abs(p[3 * x + c] - q[3 * x + c]) <= levels;
            close += near ? 1 : 0;
        }
    }
    return double(close) / (double(a.width()) * a.height());
}

TEST(FramePicture, fixedFeedSceneMatchesTheReferencePicture)
{
    const QImage shot = drawFixedFrame(kFrame);
    ASSERT_FALSE(shot.isNull()) << "no GL view, or not the 1680 x 1050 test screen";
    if (const char *out = std::getenv("VARLENSCR_SAVE_FRAME"))
        shot.save(QString::fromLocal8Bit(out));

    const QImage reference =
        QImage(QStringLiteral(VARLEN_TEST_DATA "/frame-feed-640x400.png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(reference.size(), shot.size());
    const double share = shareWithin(shot, reference, kLevels);
    if (share < kShareWithin) {
        const QString saved = QDir::temp().filePath("frame-feed-640x400-actual.png");
        shot.save(saved);
        ADD_FAILURE() << "only " << share * 100 << " % of pixels within " << kLevels
                      << " levels of the reference; this frame: " << saved.toStdString();
    }
}

} // namespace
