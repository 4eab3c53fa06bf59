// The picture of one fixed frame, pixel by pixel, against stored references: the full
// tank in Feed mode (25 fish, 100 pellets, the picture surface, 330 bubbles, the help
// text) from a fixed random seed, frame 40, drawn at 640 x 400 and at 1680 x 1050. Any
// change to how a frame is drawn must leave this picture as it is.
//
// The references are in tests/app/data. To look at the frames, set
// VARLENSCR_SAVE_FRAME=<prefix>: the test saves what it drew as <prefix>-<file>.
#include "AquariumView.h"
#include "FrameCamera.h"
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
#include <QRect>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

namespace {

constexpr int kFrame = 40;
constexpr int kLevels = 2;             // per channel
constexpr double kShareWithin = 0.9995; // of all pixels compared

// A frame size and the part of that frame kept as the reference picture.
struct Picture {
    const char *file;
    int width, height;
    QRect kept; // top row first
};

// Draws the fixed scene up to kFrame in a width x height viewport and returns that
// frame, top row first; a null image when there is no GL view or no test screen.
QImage drawFixedFrame(int width, int height)
{
    testApplication<QApplication>();
    QTemporaryDir config, runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Default settings (the picture surface, 330 bubbles), one fish of every species.
    writeOneFishOfEverySpecies();

    varlen::seedRandom(20261207);
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->onCreate() || !frame->view() || !frame->view()->glContext())
        return {};
    AquariumView &view = *frame->view();
    view.setFramesRunning(false);
    // The scene is laid out for the 1680 x 1050 test screen; a smaller frame of the same
    // aspect ratio shows the same tank.
    const TankExtents expected = tankExtentsForScreen(1680, 1050);
    if (view.tankXMin != expected.xMin || view.tankYMax != expected.yMax)
        return {};
    view.screenWidth = width;
    view.screenHeight = height;
    view.onCommand(kCommandFeedFish);

    QImage shot;
    view.afterFrameHook = [&] {
        if (view.framesDrawn() != kFrame)
            return;
        QImage img(width, height, QImage::Format_RGB888);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        for (int y = 0; y < height; ++y)
            glReadPixels(0, height - 1 - y, width, 1, GL_RGB, GL_UNSIGNED_BYTE, img.scanLine(y));
        shot = img;
    };
    while (view.framesDrawn() < kFrame)
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

void PrintTo(const Picture &picture, std::ostream *out) { *out << picture.file; }

class FramePicture : public ::testing::TestWithParam<Picture> {};

TEST_P(FramePicture, fixedFeedSceneMatchesTheReferencePicture)
{
    const Picture &want = GetParam();
    const QImage frame = drawFixedFrame(want.width, want.height);
    ASSERT_FALSE(frame.isNull()) << "no GL view, or not the 1680 x 1050 test screen";
    const QImage shot = frame.copy(want.kept);
    if (const char *out = std::getenv("VARLENSCR_SAVE_FRAME"))
        shot.save(QString::fromLocal8Bit(out) + "-" + want.file);

    const QImage reference = QImage(QStringLiteral(VARLEN_TEST_DATA "/") + want.file)
                                 .convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(reference.size(), shot.size()) << want.file;
    const double share = shareWithin(shot, reference, kLevels);
    std::printf("%s: pixels equal to the reference %.3f %%, within %d levels %.3f %%\n", want.file,
                shareWithin(shot, reference, 0) * 100, kLevels, share * 100);
    if (share < kShareWithin) {
        const QString saved = QDir::temp().filePath(QStringLiteral("actual-") + want.file);
        shot.save(saved);
        ADD_FAILURE() << "only " << share * 100 << " % of pixels within " << kLevels
                      << " levels of the reference; this frame: " << saved.toStdString();
    }
}

// The small frame whole; of the test screen's frame its middle ninth, where the picture
// surface is magnified (as on any common screen) and the help text stands.
INSTANTIATE_TEST_SUITE_P(
    Sizes, FramePicture,
    ::testing::Values(Picture{"frame-feed-640x400.png", 640, 400, QRect(0, 0, 640, 400)},
                      Picture{"frame-feed-1680x1050-middle.png", 1680, 1050, QRect(560, 350, 560, 350)}),
    [](const auto &info) { return std::to_string(info.param.width) + "x" + std::to_string(info.param.height); });

} // namespace
