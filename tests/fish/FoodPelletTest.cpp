#include "FeedPicking.h"
#include "FishTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct PelletSet {
    FoodPellet pellets[kPelletSlots];
};

TEST(FoodPellet, constructionDrawsItsBaseAfterItsMotionRecord)
{
    ScriptedRandom random({0, 0, 0, 0, 5, 29});
    FoodPellet p;
    EXPECT_EQ(random.draws(), 6u);
    EXPECT_EQ(p.baseX, -25.0f); // 5 % 60 - 30
    EXPECT_EQ(p.baseY, 14.0f);  // 29 % 30 - 15
    EXPECT_EQ(p.baseZ, -70.0f);
    EXPECT_TRUE(p.alive);
}

TEST(FoodPellet, setUpGivesTheMotionRecordItsBox)
{
    ScriptedRandom random({0});
    FoodPellet p;
    p.setUp();
    EXPECT_EQ(p.visible, 1.0f);
    EXPECT_EQ(p.motion.swimBounds[2], 21.0f);
    EXPECT_EQ(p.motion.swimBounds[3], -10.0f);
    EXPECT_EQ(p.worldX, 0.0f);
    EXPECT_EQ(p.baseX, -30.0f);
}

TEST(FoodPellet, motionOffsetStaysNearItsPlane)
{
    varlen::seedRandom(7);
    auto pellets = std::make_unique<FoodPellet[]>(20);
    float zLow = 0, zHigh = -100;
    for (int i = 0; i < 20; ++i) {
        pellets[i].setUp();
        for (int frame = 0; frame < 3000; ++frame) {
            advancePellet(pellets[i]);
            zLow = std::min(zLow, pellets[i].motion.z);
            zHigh = std::max(zHigh, pellets[i].motion.z);
        }
    }
    // Held at -9 behind; in front a pellet held at its top or bottom bound may drift a
    // little toward the viewer (8.6 at most over 100 pellets x 20000 frames).
    EXPECT_GE(zLow, -9.0f);
    EXPECT_LE(zHigh, 12.0f);
}

struct CaptureCase {
    const char *name;
    float dx, dy, dz;
    bool eaten;
};

class PelletCapture : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(PelletCapture, aNoseWithinReachEatsThePellet)
{
    const CaptureCase c = GetParam();
    ScriptedRandom random({0});
    auto set = std::make_unique<PelletSet>();
    FoodPellet (&all)[kPelletSlots] = set->pellets;
    Fish f = calmFish(0, 0, -70, 0);
    FoodPellet &p = all[17];
    p.worldX = f.noseX + c.dx;
    p.worldY = f.noseY + c.dy;
    p.worldZ = f.noseZ + c.dz;
    p.motion.x = 3;
    EXPECT_EQ(capturePellets(f, all), c.eaten ? 1 : 0);
    EXPECT_EQ(p.visible, c.eaten ? 0.0f : 1.0f);
    EXPECT_EQ(p.motion.x, c.eaten ? 0.0f : 3.0f);
}

INSTANTIATE_TEST_SUITE_P(FoodPellet, PelletCapture,
                         ::testing::Values(CaptureCase{"atTheNose", 0, 0, 0, true},
                                           CaptureCase{"justInside", 0.99f, -0.99f, 1.49f, true},
                                           CaptureCase{"oneAlongX", 1.0f, 0, 0, false},
                                           CaptureCase{"oneAlongY", 0, -1.0f, 0, false},
                                           CaptureCase{"oneAndAHalfAlongZ", 0, 0, -1.5f, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FoodPellet, anEatenPelletFreesItsSlotAtItsNextStep)
{
    ScriptedRandom random({0});
    FoodPellet p;
    p.setUp();
    p.visible = 0;
    advancePellet(p);
    EXPECT_FALSE(p.alive);
}

class FoodDrop : public ::testing::Test {
protected:
    FoodDrop()
    {
        ScriptedRandom quiet({0});
        set = std::make_unique<PelletSet>();
    }
    FoodPellet (&all())[kPelletSlots] { return set->pellets; }
    std::unique_ptr<PelletSet> set;
};

TEST_F(FoodDrop, rightAfterStartEverySlotIsTakenSoNothingDrops)
{
    ScriptedRandom random({9});
    EXPECT_EQ(dropFood(all(), 0, 0), 0);
    EXPECT_EQ(random.draws(), 11u); // ten tests passed, the eleventh stops
}

struct DropCase {
    const char *name;
    std::vector<int> randoms;
    int dropped;
};

class FoodDropCount : public FoodDrop, public ::testing::WithParamInterface<DropCase> {};

TEST_P(FoodDropCount, eachTestDrawsANewLimit)
{
    const DropCase c = GetParam();
    for (int i = 0; i < kPelletSlots; i += 2)
        all()[i].alive = false;
    ScriptedRandom random(c.randoms);
    EXPECT_EQ(dropFood(all(), 4, 6), c.dropped);
}

INSTANTIATE_TEST_SUITE_P(FoodDrop, FoodDropCount,
                         ::testing::Values(DropCase{"oneForSure", {0}, 1},
                                           DropCase{"limitThreeEveryTime", {2}, 3},
                                           DropCase{"highThenLow", {9, 0}, 1},
                                           DropCase{"tenAtMost", {9}, 10},
                                           DropCase{"fallingLimits", {9, 9, 1, 0}, 2}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FoodDrop, droppedPelletsFillTheFirstFreeSlotsAtThePoint)
{
    all()[5].alive = false;
    all()[50].alive = false;
    all()[5].visible = 0;
    ScriptedRandom random({2});
    EXPECT_EQ(dropFood(all(), 4, 6), 2); // two free slots for three tries
    for (int k : {5, 50}) {
        const FoodPellet &p = all()[k];
        EXPECT_TRUE(p.alive);
        EXPECT_EQ(p.visible, 1.0f);
        EXPECT_EQ(p.baseX, 4.0f);
        EXPECT_EQ(p.baseY, 4.0f); // y - 2
        EXPECT_EQ(p.baseZ, -70.0f);
        EXPECT_EQ(p.motion.swimBounds[2], 21.0f);
    }
}

TEST(PickRails, laidOutAcrossTheTankOnTheFoodPlane)
{
    PickRail railsX[kRailsX], railsY[kRailsY];
    layOutPickRails(railsX, railsY, -54, 21, -21);
    EXPECT_EQ(railsX[0].x, -54.0f);
    EXPECT_NEAR(railsX[100].x, 45.0099f, 1e-3);
    EXPECT_EQ(railsX[7].y, 0.0f);
    EXPECT_EQ(railsX[7].z, -70.0f);
    EXPECT_EQ(railsY[0].y, -21.0f);
    EXPECT_NEAR(railsY[1].y, -20.16f, 1e-4);
    EXPECT_NEAR(railsY[50].y, 21.0f, 1e-4);
    EXPECT_EQ(railsY[50].x, 0.0f);
}

TEST(PickRails, theYStepUsesTheWholeUnitsOfTheTankHeight)
{
    PickRail railsX[kRailsX], railsY[kRailsY];
    layOutPickRails(railsX, railsY, -49, 20.5f, -21);
    EXPECT_NEAR(railsY[1].y, -20.18f, 1e-4); // (int)41.5 = 41, * 0.02
}

TEST(CombSweep, theXCombSlidesLeftThenTurnsBack)
{
    PickRail railsX[kRailsX], railsY[kRailsY];
    layOutPickRails(railsX, railsY, -54, 21, -21);
    FeedState state;
    for (int frame = 0; frame < 10; ++frame)
        sweepCombs(state, railsX, railsY, -54, -21);
    EXPECT_EQ(railsX[0].x, -59.0f);
    EXPECT_NEAR(railsX[1].x, -58.009901f, 1e-4);
    EXPECT_EQ(railsY[0].y, -16.0f); // the y comb starts upward
    sweepCombs(state, railsX, railsY, -54, -21);
    // Rail 0 went one step past before the flag turned; the rest turned with it.
    EXPECT_EQ(railsX[0].x, -59.5f);
    EXPECT_NEAR(railsX[1].x, -57.509901f, 1e-4);
    EXPECT_TRUE(state.sweepRightX);
    EXPECT_EQ(railsY[0].y, -15.5f);
    EXPECT_FALSE(state.sweepUpY);
    sweepCombs(state, railsX, railsY, -54, -21);
    EXPECT_EQ(railsX[0].x, -59.0f);
}

TEST(CombSweep, railsStayWithinAboutFiveOfTheirStart)
{
    PickRail railsX[kRailsX], railsY[kRailsY];
    layOutPickRails(railsX, railsY, -54, 21, -21);
    FeedState state;
    float low = 0, high = -100;
    for (int frame = 0; frame < 1000; ++frame) {
        sweepCombs(state, railsX, railsY, -54, -21);
        low = std::min(low, railsX[0].x);
        high = std::max(high, railsX[0].x);
    }
    EXPECT_GE(low, -59.5f);
    EXPECT_LE(high, -48.5f);
}

TEST(DropPoint, theFirstCoordinateFoundInsideTheTankIsKept)
{
    FeedState state;
    acceptDropPoint(state, 70, -30, -54, 54, -21, 21); // both outside
    EXPECT_FALSE(state.dropXFound);
    EXPECT_FALSE(state.dropYFound);
    acceptDropPoint(state, 0, 3, -54, 54, -21, 21); // a miss gives 0, inside
    acceptDropPoint(state, 12, 8, -54, 54, -21, 21);
    EXPECT_TRUE(state.dropXFound);
    EXPECT_EQ(state.dropX, 0.0f);
    EXPECT_EQ(state.dropY, 3.0f);
}

TEST_F(FoodDrop, aFoundPointConsumesTheClickAndDrops)
{
    all()[0].alive = false;
    FeedState state;
    state.dropXFound = state.dropYFound = true;
    state.dropX = 1;
    state.dropY = 2;
    bool feedClick = true;
    ScriptedRandom random({0});
    EXPECT_EQ(dropAtFoundPoint(state, feedClick, all()), 1);
    EXPECT_FALSE(feedClick);
    EXPECT_FALSE(state.dropXFound);
    EXPECT_FALSE(state.dropYFound);
    EXPECT_EQ(all()[0].baseY, 0.0f);
}

TEST_F(FoodDrop, withoutBothCoordinatesTheClickWaits)
{
    FeedState state;
    state.dropXFound = true;
    bool feedClick = true;
    EXPECT_EQ(dropAtFoundPoint(state, feedClick, all()), 0);
    EXPECT_TRUE(feedClick);
    EXPECT_TRUE(state.dropXFound);
}

struct ZoomCase {
    const char *name;
    int mode;
    float start;
    std::vector<float> expected;
};

class Zoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(Zoom, scaleStepsByTwoWithinThreeToNine)
{
    const ZoomCase c = GetParam();
    Fish f = calmFish();
    f.scale = c.start;
    for (float expected : c.expected) {
        actOnPickedFish(f, c.mode);
        EXPECT_EQ(f.scale, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(PickedFish, Zoom,
                         ::testing::Values(ZoomCase{"inFromSix", kModeZoomIn, 6, {8, 9, 9}},
                                           ZoomCase{"outFromNine", kModeZoomOut, 9, {7, 5, 3, 3}},
                                           ZoomCase{"otherModesLeaveTheSize", kModeFeed, 6, {6}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PickedFish, touchTurnsAQuarterAndDartsOff)
{
    Fish f = calmFish(0, 0, -70, 0);
    actOnPickedFish(f, kModeTouch);
    EXPECT_EQ(f.targetHeading, -90.0f);
    EXPECT_EQ(f.speed, 0.4f);
}

TEST(PickedFish, touchOnATurningFishOnlySpeedsItUp)
{
    Fish f = calmFish(0, 0, -70, 0);
    f.targetHeading = 50;
    actOnPickedFish(f, kModeTouch);
    EXPECT_EQ(f.targetHeading, 50.0f);
    EXPECT_EQ(f.speed, 0.4f);
}

TEST(PickedFish, touchInTheMiddleOfTheBandOnlySpeedsItUp)
{
    Fish f = calmFish(0, 0, -75, 0);
    actOnPickedFish(f, kModeTouch);
    EXPECT_EQ(f.targetHeading, 0.0f);
    EXPECT_EQ(f.speed, 0.4f);
}

} // namespace
