// Clicks with a device pixel ratio of 2 (QT_SCALE_FACTOR=2): the pointer's position is
// in the view's own coordinates, the picking passes work in device pixels, and a click
// must land under the pointer anywhere on the screen, not only at its centre.
#include "AquariumView.h"
#include "FrameCamera.h"
#include "MainFrame.h"
#include "ProfileFile.h"
#include "Settings.h"
#include "TestApplication.h"

#include <GL/glu.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Before any application object exists: the ratio is read when it is made.
const bool scaled = qputenv("QT_SCALE_FACTOR", "2");

class ScaledInput : public ::testing::Test {
protected:
    QTemporaryDir config, runtime;
    std::unique_ptr<CMainFrame> frame;
    AquariumView *view = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(scaled);
        testApplication<QApplication>();
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        writeProfileString("Aquarium Settings", "BACKGROUND", "1");
        writeProfileString("Aquarium Settings", "QIPAONUM", "110");
        for (int i = 0; i < 25; ++i)
            writeProfileString("Fish Number", "Fish" + std::to_string(i), "0");
        frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(frame->onCreate());
        view = frame->view();
        ASSERT_NE(view->glContext(), nullptr);
        ASSERT_EQ(view->devicePixelRatio(), 2.0);
        view->setFramesRunning(false);
    }
    void TearDown() override { frame.reset(); }

    // Where a world point is drawn, in the view's own coordinates (y from the top).
    QPointF onScreen(double x, double y, double z) const
    {
        const double h = view->screenHeight;
        double sx = 0, sy = 0;
        projectWithFrameCamera(x, y, z, view->screenWidth, h, &sx, &sy);
        return QPointF(sx, h - sy) / view->devicePixelRatio();
    }
};

TEST_F(ScaledInput, feedClickDropsFoodUnderThePointer)
{
    ASSERT_EQ(view->screenWidth, 2 * view->width());
    view->onCommand(kCommandFeedFish);
    for (FoodPellet &p : view->pellets)
        p.alive = false;
    // Towards the bottom right corner: half of it would be near the centre.
    const QPoint click(view->width() * 4 / 5, view->height() * 4 / 5);
    QTest::mouseClick(view, Qt::LeftButton, {}, click);
    const FoodPellet *dropped = nullptr;
    for (int i = 0; i < 100 && !dropped; ++i) {
        view->drawFrame();
        for (const FoodPellet &p : view->pellets)
            if (p.alive)
                dropped = &p;
    }
    ASSERT_NE(dropped, nullptr);
    view->drawFrame(); // where a pellet is drawn is known once it has been drawn
    const QPointF at = onScreen(dropped->worldX, dropped->worldY, dropped->worldZ);
    // The combs and the drop spread the food a few world units (~70 pixels) around it.
    EXPECT_NEAR(at.x(), click.x(), 70);
    EXPECT_NEAR(at.y(), click.y(), 70);
}

TEST_F(ScaledInput, touchClickPicksTheFishUnderThePointerNearACorner)
{
    settings.speciesCounts[3] = 1;
    Fish &f = view->fish[0];
    f.x = -30, f.y = 17, f.z = -70; // near the top left corner
    f.speed = 0.1f;
    view->onCommand(kCommandTouchFish);
    const QPointF at = onScreen(f.x, f.y, f.z);
    ASSERT_LT(at.x(), view->width() / 5.0);
    ASSERT_LT(at.y(), view->height() / 5.0);
    QTest::mouseClick(view, Qt::LeftButton, {}, at.toPoint());
    view->drawFrame();
    EXPECT_FLOAT_EQ(f.speed, 0.4f);
}

} // namespace
