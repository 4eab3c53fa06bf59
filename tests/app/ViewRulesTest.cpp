#include "TankExtents.h"
#include "ViewRules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ScreenCase {
    int width, height;
    float xMin, xMax;
};

class TankExtentsTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(TankExtentsTest, widensTheListedOrClosestSizeByTwenty)
{
    const ScreenCase c = GetParam();
    const TankExtents t = tankExtentsForScreen(c.width, c.height);
    EXPECT_FLOAT_EQ(t.xMin, c.xMin);
    EXPECT_FLOAT_EQ(t.xMax, c.xMax);
    EXPECT_FLOAT_EQ(t.yMax, 21);
    EXPECT_FLOAT_EQ(t.yMin, -21);
    EXPECT_FLOAT_EQ(t.zBack, -50);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, TankExtentsTest,
    ::testing::Values(ScreenCase{800, 600, -49, 49}, ScreenCase{1024, 768, -49, 49},
                      ScreenCase{1280, 1024, -49, 49}, ScreenCase{1440, 900, -55, 55},
                      ScreenCase{1600, 900, -58, 58}, ScreenCase{1680, 1050, -54, 54},
                      // 16:9 screens take 1600 x 900's values, 16:10 those of 1680 x 1050,
                      // 4:3 the 4:3 row closest in area (all share the same width).
                      ScreenCase{1920, 1080, -58, 58}, ScreenCase{2560, 1440, -58, 58},
                      ScreenCase{3840, 2160, -58, 58}, ScreenCase{1920, 1200, -54, 54},
                      ScreenCase{1600, 1200, -49, 49}, ScreenCase{3440, 1440, -58, 58},
                      ScreenCase{0, 0, -49, 49}));

struct PointerCase {
    int mode;
    bool pendingAfterRelease;
    bool feedClickAfterPress;
};

class PointerStateTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerStateTest, pressAndReleaseFollowTheMode)
{
    const PointerCase c = GetParam();
    PointerState p;
    p.interactionMode = c.mode;
    p.leftButtonDown(12, 34);
    EXPECT_EQ(p.mouseX, 12);
    EXPECT_EQ(p.mouseY, 34);
    EXPECT_TRUE(p.pickPending);
    EXPECT_EQ(p.feedClick, c.feedClickAfterPress);
    p.leftButtonUp();
    EXPECT_EQ(p.pickPending, c.pendingAfterRelease);
    EXPECT_EQ(p.feedClick, c.feedClickAfterPress); // only the drop clears it
}

INSTANTIATE_TEST_SUITE_P(Modes, PointerStateTest,
                         ::testing::Values(PointerCase{kCommandFeedFish, false, true},
                                           PointerCase{kCommandTouchFish, true, false},
                                           PointerCase{kCommandZoomInFish, false, false},
                                           PointerCase{kCommandZoomOutFish, false, false},
                                           // Outside the four modes a release leaves
                                           // the flag; no pass ever reads it there.
                                           PointerCase{kCommandCustomMusic, true, false},
                                           PointerCase{kCommandAddDeleteFish, true, false}));

TEST(PointerState, moveOnlyRecordsThePosition)
{
    PointerState p;
    p.mouseMove(5, 6);
    EXPECT_EQ(p.mouseX, 5);
    EXPECT_EQ(p.mouseY, 6);
    EXPECT_FALSE(p.pickPending);
    EXPECT_FALSE(p.feedClick);
}

TEST(Cursor, onePairPerModeAndNoneElsewhere)
{
    const int table[][3] = {{1035, 158, 159}, {1036, 163, 164}, {1037, 167, 177}, {1038, 169, 178}};
    for (const auto &row : table) {
        EXPECT_EQ(cursorIdFor(row[0], false), row[1]) << row[0];
        EXPECT_EQ(cursorIdFor(row[0], true), row[2]) << row[0];
    }
    for (int mode : {1034, 1042, 1050, 1052, 0})
        EXPECT_EQ(cursorIdFor(mode, false), 0) << mode;
}

TEST(HelpText, showsForOneHundredFramesThenHides)
{
    bool visible = true;
    int frames = 0;
    for (int i = 1; i <= 100; ++i)
        ASSERT_TRUE(stepHelpText(visible, frames)) << "frame " << i;
    EXPECT_FALSE(stepHelpText(visible, frames));
    EXPECT_EQ(frames, 0);
    EXPECT_FALSE(stepHelpText(visible, frames));
}

TEST(HelpText, f1WhileShowingKeepsTheFramesLeft)
{
    bool visible = true;
    int frames = 0;
    for (int i = 0; i < 60; ++i)
        stepHelpText(visible, frames);
    visible = !visible; // F1 hides
    for (int i = 0; i < 30; ++i)
        EXPECT_FALSE(stepHelpText(visible, frames));
    visible = !visible; // F1 shows again: 40 frames are left of the 100
    int shown = 0;
    while (stepHelpText(visible, frames))
        ++shown;
    EXPECT_EQ(shown, 40);
}

TEST(Backdrop, colourRefSplitsRedFromTheLowByte)
{
    const Rgb c = colourFromColorRef(0x00336699);
    EXPECT_FLOAT_EQ(c.r, 0x99 / 255.0f);
    EXPECT_FLOAT_EQ(c.g, 0x66 / 255.0f);
    EXPECT_FLOAT_EQ(c.b, 0x33 / 255.0f);
}

TEST(Backdrop, phaseAdvancesUnlessLockedAndWrapsAtTenThousand)
{
    EXPECT_FLOAT_EQ(nextBackdropPhase(5.0f, false), 5.2f);
    EXPECT_FLOAT_EQ(nextBackdropPhase(5.0f, true), 5.0f);
    EXPECT_FLOAT_EQ(nextBackdropPhase(9999.9f, false), 0.0f);
}

TEST(Backdrop, cycleAtPhaseZeroIsBlackBelowAndGreenOnTop)
{
    const auto c = backdropCycleColours(0);
    EXPECT_FLOAT_EQ(c[0].r, 0);
    EXPECT_FLOAT_EQ(c[0].g, 1);
    EXPECT_FLOAT_EQ(c[0].b, 0);
    EXPECT_FLOAT_EQ(c[2].g, 1); // top right: cos 0
    EXPECT_FLOAT_EQ(c[3].g, 0); // top left: 1 - cos 0
}

} // namespace
