#include "FishBehaviour.h"
#include "FishTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 25 quiet records with the first `live` of them placed by the caller.
struct School {
    Fish fish[kFishRecords];
    School()
    {
        for (int i = 0; i < kFishRecords; ++i)
            fish[i] = calmFish(-40.0f + 3.0f * static_cast<float>(i), 0, -70, 0);
    }
};

TEST(Contact, equalFishMeetingHeadOnMakeFishJTurnAbout)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);    // facing -x
    s.fish[1] = calmFish(-2, 0, -70, 180); // facing +x, nose to nose
    contactPass(s.fish, 0, 2);
    EXPECT_EQ(s.fish[1].targetHeading, 360.0f); // half turn (+180 when facing +x)
    EXPECT_EQ(s.fish[0].targetHeading, 0.0f);
    EXPECT_TRUE(s.fish[0].touching);
    EXPECT_TRUE(s.fish[1].touching);
}

TEST(Contact, theSmallerFishTurnsAbout)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);
    s.fish[0].scale = 4;
    s.fish[1] = calmFish(-2, 0, -70, 180);
    contactPass(s.fish, 0, 2);
    EXPECT_EQ(s.fish[0].targetHeading, -180.0f);
    EXPECT_EQ(s.fish[1].targetHeading, 180.0f);
}

TEST(Contact, theLeaderSpeedsUpAndTheFollowerFallsBack)
{
    School s;
    s.fish[0] = calmFish(1, 0, -70, 0); // behind: both swim toward -x
    s.fish[1] = calmFish(0, 0, -70, 0);
    s.fish[0].speed = 0.3f;
    s.fish[1].speed = 0.2f;
    contactPass(s.fish, 0, 2);
    EXPECT_NEAR(s.fish[1].speed, 0.3f, 1e-6); // toward 0.3 + 0.1
    EXPECT_NEAR(s.fish[0].speed, 0.2f, 1e-6); // toward 0.3 - 0.1
}

TEST(Contact, theUpperFishClimbsAndTheLowerDives)
{
    School s;
    s.fish[0] = calmFish(1, 0.5f, -70, 0);
    s.fish[1] = calmFish(0, 0, -70, 0);
    contactPass(s.fish, 0, 2);
    EXPECT_EQ(s.fish[0].targetPitch, 1.0f);
    EXPECT_EQ(s.fish[1].targetPitch, -1.0f);
}

TEST(Contact, fishCrossingAtAnAngleSidestepByDepth)
{
    ScriptedRandom random({5}); // sidesteps of 15 degrees
    School s;
    s.fish[0] = calmFish(0, 0, -69, 0);  // facing -x
    s.fish[1] = calmFish(0, 0, -70, 90); // facing +z
    contactPass(s.fish, 0, 2);
    EXPECT_EQ(s.fish[0].targetHeading, -15.0f); // nearer the viewer: side true
    EXPECT_EQ(s.fish[1].targetHeading, 105.0f);
}

TEST(Contact, distantFishAreLeftAlone)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);
    s.fish[1] = calmFish(20, 0, -70, 180);
    contactPass(s.fish, 0, 2);
    EXPECT_FALSE(s.fish[0].touching);
    EXPECT_FALSE(s.fish[1].touching);
    EXPECT_EQ(s.fish[1].targetHeading, 180.0f);
}

TEST(Contact, touchingReflectsTheLastLiveFishTested)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);
    s.fish[1] = calmFish(1, 0, -70, 0);  // overlaps fish 0
    s.fish[2] = calmFish(30, 0, -70, 0); // far away, tested last
    contactPass(s.fish, 0, 3);
    EXPECT_FALSE(s.fish[0].touching);
    EXPECT_TRUE(s.fish[1].touching);
}

TEST(Contact, recordsPastTheLiveCountAreNotTouched)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);
    s.fish[1] = calmFish(-2, 0, -70, 180);
    contactPass(s.fish, 0, 1);
    EXPECT_EQ(s.fish[1].targetHeading, 180.0f);
    EXPECT_FALSE(s.fish[1].touching);
}

// Two fish touch, then one is taken out: the one left is no longer touching, so it
// wanders again.
TEST(Contact, aFishLeftAloneStopsTouching)
{
    School s;
    s.fish[0] = calmFish(0, 0, -70, 0);
    s.fish[1] = calmFish(1, 0, -70, 0);
    contactPass(s.fish, 0, 2);
    ASSERT_TRUE(s.fish[0].touching);
    contactPass(s.fish, 0, 1);
    EXPECT_FALSE(s.fish[0].touching);
}

TEST(Proximity, onlyTheLowerNumberedFishOfAClosePairClimbsAway)
{
    School s;
    float positions[kFishRecords][3] = {};
    for (int i = 0; i < kFishRecords; ++i) {
        positions[i][0] = 10.0f * static_cast<float>(i);
        positions[i][2] = -70;
    }
    positions[0][0] = 0;
    positions[0][1] = 2;
    positions[1][0] = 4.9f; // within 5 in x, y and z of fish 0
    proximityPass(s.fish, positions, 3);
    EXPECT_EQ(s.fish[0].targetPitch, 1.0f); // above fish 1: up
    EXPECT_EQ(s.fish[1].targetPitch, 0.0f);
    EXPECT_EQ(s.fish[2].targetPitch, 0.0f);
}

struct AngleCase {
    float x, y;
    int expected;
};

class PelletAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(PelletAngle, followsTheQuadrantRule)
{
    const AngleCase c = GetParam();
    EXPECT_EQ(pelletPositionAngle(c.x, c.y), c.expected);
}

INSTANTIATE_TEST_SUITE_P(FoodPass, PelletAngle,
                         ::testing::Values(AngleCase{0, 0, 0}, AngleCase{0, -3, 270}, AngleCase{0, 2, 90},
                                           AngleCase{5, 0, 0}, AngleCase{-5, 0, 180}, AngleCase{1, 1, 45},
                                           AngleCase{1, 2, 63}, AngleCase{-1, 2, 27}, AngleCase{-2, -1, 64},
                                           AngleCase{2, -1, 64}));

// Pellet k alive at world (x, y, z); all others eaten long ago.
void onlyPellet(FoodPellet (&pellets)[kPelletSlots], int k, float x, float y, float z)
{
    for (FoodPellet &p : pellets)
        p.alive = false;
    pellets[k].alive = true;
    pellets[k].visible = 1;
    pellets[k].worldX = x;
    pellets[k].worldY = y;
    pellets[k].worldZ = z;
}

class FoodPassTest : public ::testing::Test {
protected:
    ScriptedRandom quiet{{0}};
    FoodPellet pellets[kPelletSlots];
};

TEST_F(FoodPassTest, aPelletStraightAheadMakesTheFishClimbTowardIt)
{
    Fish f = calmFish(0, 0, -70, 0); // nose at (-1.93, 0, -70)
    onlyPellet(pellets, 40, -6, 2, -70);
    foodPass(f, pellets, kModeFeed);
    EXPECT_TRUE(f.attracted);
    EXPECT_NEAR(f.speed, 0.2f, 1e-6);
    EXPECT_EQ(f.targetPitch, 45.0f); // angle 72 (90 - 18), clamped to 45
    EXPECT_EQ(f.targetHeading, 0.0f);
}

TEST_F(FoodPassTest, aPelletAheadAtAnAngleTurnsTheFishTowardIt)
{
    Fish f = calmFish(0, 0, -70, 0);
    onlyPellet(pellets, 3, -6, 0, -66); // 33.7 degrees off the nose line, nearer the viewer
    foodPass(f, pellets, kModeFeed);
    EXPECT_EQ(f.targetHeading, 33.0f);
}

TEST_F(FoodPassTest, aPelletBehindTurnsTheFishAbout)
{
    Fish f = calmFish(0, 0, -70, 0);
    onlyPellet(pellets, 3, 6, 0, -66);
    foodPass(f, pellets, kModeFeed);
    EXPECT_EQ(f.targetHeading, -146.0f); // 180 - 33.7, side true when facing -x
}

TEST_F(FoodPassTest, aPelletWithinThreeSlowsTheFish)
{
    Fish f = calmFish(0, 0, -70, 0);
    f.speed = 0.3f;
    onlyPellet(pellets, 3, -3, 0.5f, -70);
    foodPass(f, pellets, kModeFeed);
    EXPECT_NEAR(f.speed, 0.1f, 1e-6); // 0.3 toward 0.2, then toward 0.1
}

TEST_F(FoodPassTest, farPelletsLeaveTheFishUnattracted)
{
    Fish f = calmFish(0, 0, -70, 0);
    f.attracted = true;
    onlyPellet(pellets, 3, 20, 0, -70);
    foodPass(f, pellets, kModeFeed);
    EXPECT_FALSE(f.attracted);
}

TEST_F(FoodPassTest, outsideFeedModeAttractionIsKept)
{
    Fish f = calmFish(0, 0, -70, 0);
    f.attracted = true;
    onlyPellet(pellets, 3, 20, 0, -70);
    foodPass(f, pellets, kModeTouch);
    EXPECT_TRUE(f.attracted);
}

} // namespace
