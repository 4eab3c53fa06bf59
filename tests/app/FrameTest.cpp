// What a frame of the whole aquarium shows, read back from the back buffer before the
// swap, with the settings file written beforehand to set up each case.
#include "AquariumView.h"
#include "AssetStore.h"
#include "FishSettingsDialog.h"
#include "FrameCamera.h"
#include "FlatButton.h"
#include "MainFrame.h"
#include "ProfileFile.h"
#include "Settings.h"
#include "TestApplication.h"

#include <GL/glu.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

QApplication &app() { return testApplication<QApplication>(); }

using Keys = std::map<std::string, std::string>;

class Frame : public ::testing::Test {
protected:
    QTemporaryDir config, runtime;
    std::unique_ptr<CMainFrame> frame;
    AquariumView *view = nullptr;
    std::vector<unsigned char> pixels; // RGB of the last frame, rows bottom first

    // Writes the settings, then builds the aquarium. Unless told otherwise: no fish, no
    // picture surface, no bubbles.
    void start(Keys aquarium = {}, int fishPerSpecies = 0)
    {
        app();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        Keys defaults = {{"BACKGROUND", "1"}, {"QIPAONUM", "110"}};
        for (auto &[k, v] : defaults)
            aquarium.emplace(k, v);
        for (auto &[k, v] : aquarium)
            writeProfileString("Aquarium Settings", k, v);
        for (int i = 0; i < 25; ++i)
            writeProfileString("Fish Number", "Fish" + std::to_string(i), std::to_string(fishPerSpecies));

        frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(frame->onCreate());
        view = frame->view();
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->glContext(), nullptr);
        view->setFramesRunning(false); // each test draws its own frames
        view->afterFrameHook = [this] {
            pixels.assign(size_t(view->screenWidth) * view->screenHeight * 3, 0);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, view->screenWidth, view->screenHeight, GL_RGB, GL_UNSIGNED_BYTE,
                         pixels.data());
        };
    }
    void TearDown() override { frame.reset(); }

    // One live fish (record 0) parked in the middle of the tank, the view in `mode`;
    // returns where the fish is on the screen, in view pixels from the top.
    QPoint oneFishInTheMiddle(int mode)
    {
        settings.speciesCounts[3] = 1;
        Fish &f = view->fish[0];
        f.x = 0, f.y = 0, f.z = -70;
        f.speed = 0.1f;
        view->onCommand(mode);
        const QPoint at = project(0, 0, -70);
        return QPoint(at.x(), view->screenHeight - at.y());
    }

    // Pixel at window coordinates, y from the bottom.
    std::array<int, 3> pixel(int x, int y) const
    {
        const size_t i = (size_t(y) * view->screenWidth + x) * 3;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }
    int countPixels(int x0, int y0, int x1, int y1, bool (*test)(std::array<int, 3>)) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(pixel(x, y)) ? 1 : 0;
        return n;
    }
    // Where a world point lands on the screen with the frame's camera.
    QPoint project(double x, double y, double z) const
    {
        double sx = 0, sy = 0;
        projectWithFrameCamera(x, y, z, view->screenWidth, view->screenHeight, &sx, &sy);
        return QPoint(int(sx), int(sy));
    }
};

bool isWhite(std::array<int, 3> p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
bool isNotBlack(std::array<int, 3> p) { return p[0] + p[1] + p[2] > 30; }

TEST_F(Frame, helpTextShowsForOneHundredFramesThenHides)
{
    start();
    const QPoint a = project(-5.5, 4, -60), b = project(6, 5, -60); // line 1's box
    ASSERT_LT(a.x(), b.x());
    view->drawFrame();
    EXPECT_GT(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 200);
    for (int i = 1; i < 100; ++i)
        view->drawFrame();
    EXPECT_GT(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 200) << "frame 100";
    view->drawFrame();
    EXPECT_EQ(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 0) << "frame 101";
}

TEST_F(Frame, f1BringsTheHelpTextBackAndTwiceQuicklyChangesNothing)
{
    start();
    const QPoint a = project(-5.5, 4, -60), b = project(6, 5, -60);
    for (int i = 0; i < 101; ++i)
        view->drawFrame();
    ASSERT_EQ(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 0);

    QTest::keyClick(view, Qt::Key_F1);
    view->drawFrame();
    EXPECT_GT(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 200);
    const int frames = view->helpTextFrames;
    QTest::keyClick(view, Qt::Key_F1);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_TRUE(view->helpTextVisible);
    EXPECT_EQ(view->helpTextFrames, frames);
    view->drawFrame();
    EXPECT_GT(countPixels(a.x(), a.y(), b.x(), b.y(), isWhite), 200);
}

TEST_F(Frame, backdropStaysBlackWhateverGradientTheFileAsksFor)
{
    // The loader forces the fixed black colour on; a gradient drawn after it at the same
    // depth loses the depth test.
    start({{"BACK MANJIANBIAN", "1"}, {"BACK COLOR1", "65280"}, {"BACK COLOR2", "255"},
           {"BACK AUTOJIANBIAN", "1"}, {"BACKCOLOR", "255"}});
    for (int i = 0; i < 101; ++i)
        view->drawFrame();
    for (QPoint p : {QPoint(3, 3), QPoint(1676, 3), QPoint(3, 1046), QPoint(1676, 1046)})
        EXPECT_FALSE(isNotBlack(pixel(p.x(), p.y()))) << p.x() << "," << p.y();
}

TEST_F(Frame, lightSettingOfOneHundredLeavesSurfaceAndFishBlack)
{
    struct Case {
        const char *light;
        bool lit;
    };
    for (Case c : {Case{"0", true}, Case{"100", false}}) {
        start({{"BACKGROUND", "0"}, {"LIGHTQIANGDU", c.light}}, 1);
        for (FoodPellet &p : view->pellets)
            p.alive = false; // pellets are drawn unlit
        for (int i = 0; i < 101; ++i)
            view->drawFrame(); // past the help text, which is unlit too
        const int shown = countPixels(0, 0, view->screenWidth, view->screenHeight, isNotBlack);
        const int all = view->screenWidth * view->screenHeight;
        if (c.lit)
            EXPECT_GT(shown, all / 2) << "LIGHTQIANGDU " << c.light;
        else
            EXPECT_EQ(shown, 0) << "LIGHTQIANGDU " << c.light;
        frame.reset();
    }
}

TEST_F(Frame, fishShowWhereTheCountsPutThem)
{
    start({}, 1);
    view->drawFrame();  // the first frame is fogged white
    view->helpTextVisible = false;
    // Park every fish in a row across the middle of the tank, facing the camera's side.
    for (int i = 0; i < kFishRecords; ++i) {
        view->fish[i].x = -40 + 3.3f * i;
        view->fish[i].y = 0;
        view->fish[i].z = -70;
    }
    for (FoodPellet &p : view->pellets)
        p.alive = false;
    view->drawFrame();
    const QPoint left = project(-45, -3, -70), right = project(45, 3, -70);
    EXPECT_GT(countPixels(left.x(), left.y(), right.x(), right.y(), isNotBlack), 5000);
}

TEST_F(Frame, countsAddingUpBeyondTwentyFiveUseTheTwentyFiveRecords)
{
    // 20 of every species (500 in all, past 25 within the second species): each of the 25
    // records swims and shows, parked apart in five rows, and the counts stay as the file
    // has them.
    start({}, 20);
    view->drawFrame();  // the first frame is fogged white
    view->helpTextVisible = false;
    for (FoodPellet &p : view->pellets)
        p.alive = false;
    for (int i = 0; i < kFishRecords; ++i) {
        Fish &f = view->fish[i];
        f.setSwimBounds(-100, 100, 100, -100, -100, 0);  // no wall near the rows
        f.x = -24 + 12.0f * (i % 5);
        f.y = -12 + 6.0f * (i / 5);
        f.z = -70;
    }
    view->drawFrame();
    for (int i = 0; i < kFishRecords; ++i) {
        const QPoint at = project(-24 + 12.0 * (i % 5), -12 + 6.0 * (i / 5), -70);
        EXPECT_GT(countPixels(at.x() - 5, at.y() - 5, at.x() + 5, at.y() + 5, isNotBlack), 20) << "record " << i;
        EXPECT_NE(view->fish[i].x, -24 + 12.0f * (i % 5)) << "record " << i << " did not swim";
    }
    EXPECT_EQ(settings.speciesCounts[24], 20);
}

TEST_F(Frame, fpsReadoutShowsInTheBottomLeftCornerOnlyWhenAskedFor)
{
    start();
    auto isYellow = [](std::array<int, 3> p) { return p[0] > 200 && p[1] > 200 && p[2] < 60; };
    for (bool shown : {false, true}) {
        view->runOptions.showFps = shown;
        view->drawFrame();
        const int corner = countPixels(0, 0, 160, 40, isYellow);
        if (shown)
            EXPECT_GT(corner, 100);
        else
            EXPECT_EQ(corner, 0);
        EXPECT_EQ(countPixels(160, 40, view->screenWidth, view->screenHeight, isYellow), 0) << shown;
    }
}

TEST_F(Frame, fogLastsOnlyUntilTheFirstBubblePass)
{
    start();
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    view->drawFrame();
    EXPECT_FALSE(glIsEnabled(GL_FOG));
}

TEST_F(Frame, noAssetFileIsLeftAfterSetUp)
{
    start();
    const QDir dir(QString::fromStdString(assetDirectory()));
    EXPECT_TRUE(dir.entryList({"*.ad", "*.bmp", "*.wav"}, QDir::Files).isEmpty())
        << dir.entryList().join(' ').toStdString();
}

TEST_F(Frame, feedClickDropsFoodOnlyIntoFreedSlots)
{
    start();
    view->onCommand(1036);
    const QPoint centre(view->screenWidth / 2, view->screenHeight / 2);
    QTest::mouseClick(view, Qt::LeftButton, {}, centre);
    view->drawFrame();
    view->drawFrame();
    for (const FoodPellet &p : view->pellets)
        ASSERT_TRUE(p.alive); // every slot was taken: the click dropped nothing

    view->pellets[7].visible = 0; // eaten: its slot frees at its next draw
    view->drawFrame();
    ASSERT_FALSE(view->pellets[7].alive);
    QTest::mouseClick(view, Qt::LeftButton, {}, centre);
    view->drawFrame();
    view->drawFrame();
    EXPECT_TRUE(view->pellets[7].alive);
    EXPECT_FLOAT_EQ(view->pellets[7].baseZ, -70);
    EXPECT_NEAR(view->pellets[7].baseX, 0, 6); // the combs sweep about 5 around the point
}

TEST_F(Frame, quickTouchClickStillMakesTheFishDartOff)
{
    start({}, 0);
    const QPoint at = oneFishInTheMiddle(1035);
    const Fish &f = view->fish[0];
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    view->drawFrame();
    EXPECT_FLOAT_EQ(f.speed, 0.4f);
    EXPECT_FALSE(view->pointer.pickPending);
}

TEST_F(Frame, zoomClickGrowsTheFishUnderThePointer)
{
    start({}, 0);
    const QPoint at = oneFishInTheMiddle(1037);
    const Fish &f = view->fish[0];
    QTest::mousePress(view, Qt::LeftButton, {}, at);
    view->drawFrame();
    QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    EXPECT_FLOAT_EQ(f.scale, 8);

    // A click released before the next frame is lost in the zoom modes.
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    view->drawFrame();
    EXPECT_FLOAT_EQ(f.scale, 8);
}

// Picking near the corners of the screen, where a pick region on any other projection
// than the frame's own would land tens of pixels off what is drawn: a feed click drops
// food under the pointer, a touch click on the edge of a fish's picture touches it.
struct CornerCase {
    const char *name;
    int mode;   // 1036 feed, 1035 touch
    float x, y; // world point near the corner, on the food plane
};

std::ostream &operator<<(std::ostream &out, const CornerCase &c) { return out << c.name; }

class FrameCorner : public Frame, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(FrameCorner, clickActsOnWhatIsDrawnUnderThePointer)
{
    const CornerCase c = GetParam();
    start({}, 0);
    view->drawFrame();  // the first frame is fogged white
    view->helpTextVisible = false;
    for (FoodPellet &p : view->pellets)
        p.alive = false;
    const auto click = [&](int x, int yFromBottom) {
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(x, view->screenHeight - 1 - yFromBottom));
    };

    if (c.mode == 1036) {
        view->onCommand(1036);
        // The combs' rails lie on z = -69, a unit wide and 0.99 apart; the first rail (in
        // x order) under the 15-pixel pick region gives the drop x: at most 0.84 below the
        // pointer's x and 0.16 above it. The same holds for y, rails no further apart.
        ASSERT_LE(int(view->tankYMax - view->tankYMin) * 0.02f, 0.99f);
        const QPoint at = project(c.x, c.y, -69);
        click(at.x(), at.y());
        const FoodPellet *dropped = nullptr;
        for (int frame = 0; frame < 30 && !dropped; ++frame) {
            view->drawFrame();
            for (const FoodPellet &p : view->pellets)
                if (p.alive && !dropped)
                    dropped = &p;
        }
        ASSERT_NE(dropped, nullptr);
        EXPECT_GE(dropped->baseX, c.x - 0.9f);
        EXPECT_LE(dropped->baseX, c.x + 0.2f);
        EXPECT_GE(dropped->baseY + 2, c.y - 0.9f);
        EXPECT_LE(dropped->baseY + 2, c.y + 0.2f);
        return;
    }

    settings.speciesCounts[3] = 1;
    Fish &f = view->fish[0];
    f.setSwimBounds(-100, 100, 100, -100, -100, 0);  // no wall near the corner
    f.x = c.x, f.y = c.y, f.z = -70;
    f.heading = f.targetHeading = 0;
    f.speed = 0.1f;
    view->onCommand(1035);
    view->drawFrame();
    // The fish's pixel furthest toward the corner, within 150 pixels of its middle.
    const int sx = c.x > 0 ? 1 : -1, sy = c.y > 0 ? 1 : -1;
    const QPoint middle = project(c.x, c.y, -70);
    QPoint edge(-1, -1);
    for (int y = std::max(0, middle.y() - 150); y < std::min(view->screenHeight, middle.y() + 150); ++y)
        for (int x = std::max(0, middle.x() - 150); x < std::min(view->screenWidth, middle.x() + 150); ++x)
            if (isNotBlack(pixel(x, y)) && (edge.x() < 0 || sx * x + sy * y > sx * edge.x() + sy * edge.y()))
                edge = QPoint(x, y);
    ASSERT_GE(edge.x(), 0);
    click(edge.x(), edge.y());
    view->drawFrame();
    EXPECT_FLOAT_EQ(f.speed, 0.4f) << "edge " << edge.x() << "," << edge.y();
}

INSTANTIATE_TEST_SUITE_P(
    Picking, FrameCorner,
    ::testing::Values(CornerCase{"feedTopLeft", 1036, -34, 16}, CornerCase{"feedTopRight", 1036, 34, 16},
                      CornerCase{"feedBottomLeft", 1036, -34, -16}, CornerCase{"feedBottomRight", 1036, 34, -16},
                      CornerCase{"touchTopLeft", 1035, -30, 16}, CornerCase{"touchTopRight", 1035, 30, 16},
                      CornerCase{"touchBottomLeft", 1035, -30, -16}, CornerCase{"touchBottomRight", 1035, 30, -16}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST_F(Frame, fishAddedInTheDialogSwimAtTheNextFrameAndAreSaved)
{
    start({}, 0);
    for (FoodPellet &p : view->pellets)
        p.alive = false;
    for (int i = 0; i < 2; ++i) { // where the two new fish will be seen
        view->fish[i].x = -4 + 8.0f * i;
        view->fish[i].y = 0;
        view->fish[i].z = -70;
    }
    for (int i = 0; i < 101; ++i)
        view->drawFrame();
    const QPoint a = project(-8, -3, -70), b = project(8, 3, -70);
    const int before = countPixels(a.x(), a.y(), b.x(), b.y(), isNotBlack);

    bool dialogSeen = false;
    // The menu entry "  Add/Delete Fish", then, inside the modal dialog: select the cell
    // of species 2, add two fish, let the half-second save run, close with OK.
    QTimer::singleShot(200, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions()[4]);
        QTimer::singleShot(300, [&] {
            auto *dialog = qobject_cast<FishSettingsDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialogSeen = true;
            QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(250, 45));
            QTest::mouseClick(dialog->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
            QTest::mouseClick(dialog->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
            (void)QTest::qWaitFor([&] { return settings.speciesCounts[2] == 2; }, 5000);
            EXPECT_EQ(settings.speciesCounts[2], 2) << "saved while the dialog is open";
            dialog->accept();
        });
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(200, 200));
    ASSERT_TRUE(dialogSeen);
    EXPECT_EQ(view->pointer.interactionMode, 1034);
    EXPECT_EQ(readProfileString("Fish Number", "Fish2"), "2");

    view->drawFrame();
    EXPECT_GT(countPixels(a.x(), a.y(), b.x(), b.y(), isNotBlack), before + 500);
}

} // namespace
