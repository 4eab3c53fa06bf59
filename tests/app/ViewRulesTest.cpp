#include "AquariumScene.h"
#include "FishBehaviour.h"
#include "Random.h"
#include "Settings.h"
#include "StepClock.h"
#include "TankExtents.h"
#include "ViewRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

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

// ---------------------------------------------------------------- step clock

struct ClockCase {
    const char *what;
    int intervalUs;  // between frames
    int jitterUs;    // added to odd frames, taken from even ones
    int frames;      // drawn before the gap and again after it
    int gapMs;       // one frame more after the first run, this long after its last; 0: none
    bool pausedInGap; // drawing stopped for the gap (the clock restarted as it resumes)
    int totalSteps;
    int fewestPerFrame, mostPerFrame;
};

void PrintTo(const ClockCase &c, std::ostream *out) { *out << c.what; }

class StepClockTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(StepClockTest, keepsOneHundredStepsASecondWithinItsBound)
{
    const ClockCase c = GetParam();
    constexpr std::int64_t us = 1000, ms = 1000 * us;
    StepClock clock;
    clock.restart(0);
    int total = 0, fewest = 1 << 30, most = 0;
    auto frameAt = [&](std::int64_t t) {
        const int n = clock.stepsFor(t);
        total += n;
        fewest = std::min(fewest, n);
        most = std::max(most, n);
    };
    auto run = [&](std::int64_t from) {
        std::int64_t t = from;
        for (int k = 1; k <= c.frames; ++k) {
            t = from + k * c.intervalUs * us;
            frameAt(t + (k % 2 ? c.jitterUs : -c.jitterUs) * us);
        }
        return t;
    };
    std::int64_t last = run(0);
    if (c.gapMs > 0) {
        last += c.gapMs * ms;
        if (c.pausedInGap)
            clock.restart(last - c.intervalUs * us);
        frameAt(last);
        run(last);
    }
    EXPECT_EQ(total, c.totalSteps);
    EXPECT_EQ(fewest, c.fewestPerFrame);
    EXPECT_EQ(most, c.mostPerFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, StepClockTest,
    ::testing::Values(
        ClockCase{"tickMet", 10000, 0, 100, 0, false, 100, 1, 1},
        ClockCase{"tickFourMsEarlyOrLate", 10000, 4000, 100, 0, false, 100, 1, 1},
        ClockCase{"fortyFramesASecond", 25000, 0, 40, 0, false, 100, 2, 3},
        ClockCase{"twentyFiveFramesASecond", 40000, 0, 25, 0, false, 100, 4, 4},
        ClockCase{"twoHundredFramesASecond", 5000, 0, 200, 0, false, 100, 0, 1},
        // A frame that comes 10 s late makes up 20 steps, not 1000, and the frames after
        // it are on time again.
        ClockCase{"stallOfTenSeconds", 10000, 0, 100, 10000, false, 220, 1, 20},
        ClockCase{"pauseOfTenSeconds", 10000, 0, 100, 10000, true, 201, 1, 1},
        // Below five frames a second the bound slows the tank down.
        ClockCase{"threeFramesASecond", 300000, 0, 10, 0, false, 200, 20, 20}));

// ---------------------------------------------------------------- scene step

// A full tank as the view sets it up, without a screen: 25 fish, 100 pellets, every
// bubble, the surface and the colour cycle shown, in Feed mode.
std::unique_ptr<AquariumScene> seededTank(AquariumSettings &current)
{
    for (int &n : current.speciesCounts)
        n = 1;
    current.qiPaoNum = 0;
    current.backAutoJianBian = 1;
    varlen::seedRandom(2024);
    auto scene = std::make_unique<AquariumScene>();
    const TankExtents t = tankExtentsForScreen(1680, 1050);
    scene->tankXMin = t.xMin;
    scene->tankXMax = t.xMax;
    scene->tankYMax = t.yMax;
    scene->tankYMin = t.yMin;
    scene->tankZBack = t.zBack;
    scene->surface.updateControlGrid(t.xMin, t.xMax, current.background);
    for (int i = 0; i < 3; ++i) {
        scene->bubbleEmitterPositions[i] = bubbleEmitterOrigin(i, t.yMin, t.zBack);
        scene->bubbleEmitters[i].create(BubbleEmitter::kParticleCount);
        for (int k = 0; k < BubbleEmitter::kParticleCount; ++k)
            scene->bubbleEmitters[i].step(bubbleDrawCount(current.qiPaoNum));
    }
    placeFish(scene->fish, t.yMax, t.yMin);
    layOutPickRails(scene->pickRailsX, scene->pickRailsY, t.xMin, t.yMax, t.yMin);
    for (FoodPellet &p : scene->pellets)
        p.setUp();
    scene->pointer.interactionMode = kModeFeed;
    return scene;
}

// What a step changes, as numbers.
std::vector<float> stateOf(const AquariumScene &s)
{
    std::vector<float> v{float(s.helpTextVisible), float(s.helpTextFrames), s.backdropPhase,
                         s.surface.swayOffset, s.pickRailsX[0].x, s.pickRailsY[0].y};
    for (const Fish &f : s.fish)
        v.insert(v.end(), {f.x, f.y, f.z, f.heading, f.pitch, f.speed, f.targetHeading,
                           f.anim.tailFlutter[9], f.shownX});
    for (const FoodPellet &p : s.pellets)
        v.insert(v.end(), {float(p.alive), p.visible, p.worldX, p.worldY, p.worldZ});
    for (const BubbleEmitter &e : s.bubbleEmitters)
        for (int i = 0; i < e.capacity(); ++i)
            v.insert(v.end(), {e.particles[i].x, e.particles[i].y, e.shown[i][0].x});
    v.push_back(float(varlen::randomValue()));
    return v;
}

TEST(SceneStep, theSameTankAtOneHundredFortyAndTwentyFiveFramesASecond)
{
    std::vector<std::vector<float>> ends;
    for (int intervalMs : {10, 25, 40}) {
        AquariumSettings current;
        auto scene = seededTank(current);
        StepClock clock;
        clock.restart(0);
        int steps = 0;
        for (std::int64_t t = intervalMs; t <= 3000; t += intervalMs)
            for (int n = clock.stepsFor(t * 1'000'000); n > 0; --n, ++steps)
                stepScene(*scene, current);
        EXPECT_EQ(steps, 300) << intervalMs << " ms";
        ends.push_back(stateOf(*scene));
    }
    EXPECT_EQ(ends[1], ends[0]) << "40 frames a second";
    EXPECT_EQ(ends[2], ends[0]) << "25 frames a second";
}

} // namespace
