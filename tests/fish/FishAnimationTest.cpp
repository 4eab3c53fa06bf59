#include "Fish.h"
#include "FishTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(HeadRamps, flatInRestPoseAndRampedWhenLifted)
{
    Fish f = calmFish();
    f.restPose = true;
    f.attracted = true;
    f.computeAnimation(3);
    for (float v : f.anim.frontLift)
        EXPECT_EQ(v, 0.0f);
    EXPECT_FALSE(f.restPose); // attracted: lifted from the next frame

    f.computeAnimation(3);
    EXPECT_NEAR(f.anim.frontLift[0], 0.144f, 1e-6);  // 0.002 * 6 * 12
    EXPECT_NEAR(f.anim.frontLift[11], 0.012f, 1e-6); // 0.002 * 6 * 1
    EXPECT_NEAR(f.anim.headLift[0], 0.132f, 1e-6);   // 0.002 * 6 * 11
    EXPECT_NEAR(f.anim.headLift[9], 0.024f, 1e-6);   // 0.002 * 6 * 2
    EXPECT_EQ(f.anim.headLift[10], 0.0f);
}

TEST(HeadRamps, aFishAwayFromFoodLiftsItsHeadForOneFrameInARhythm)
{
    ScriptedRandom random({20});
    Fish f = calmFish();
    f.restPoseCounter = 0;
    f.restPose = true;
    f.attracted = false;
    std::vector<int> liftedFrames;
    for (int frame = 1; frame <= 250; ++frame) {
        f.computeAnimation(3);
        if (f.anim.headLift[0] != 0.0f)
            liftedFrames.push_back(frame);
    }
    // Counter 0: the toggle comes in frame 102 and shows in frame 103; the counter
    // restarts at 20 % 50 = 20, so the next toggle is 82 frames later.
    ASSERT_EQ(liftedFrames.size(), 2u);
    EXPECT_EQ(liftedFrames[0], 103);
    EXPECT_EQ(liftedFrames[1], 185);
}

TEST(HeadRamps, aFishNearFoodKeepsItsHeadLiftedButForOneFrame)
{
    ScriptedRandom random({0});
    Fish f = calmFish();
    f.restPoseCounter = 0;
    f.attracted = true;
    int flatFrames = 0;
    for (int frame = 1; frame <= 150; ++frame) {
        f.computeAnimation(3);
        if (frame > 1 && f.anim.headLift[0] == 0.0f)
            ++flatFrames;
    }
    EXPECT_EQ(flatFrames, 1);
}

struct TurnCase {
    const char *name;
    float target;
    float stepSize;
    int framesToArrive;
};

class SegmentYawTurn : public ::testing::TestWithParam<TurnCase> {};

TEST_P(SegmentYawTurn, headingMovesByItsStepEveryThirdFrame)
{
    const TurnCase c = GetParam();
    Fish f = calmFish();
    f.targetHeading = c.target;
    int arrivedAt = 0;
    for (int frame = 1; frame <= 60 && !arrivedAt; ++frame) {
        const float before = f.heading;
        f.computeAnimation(3);
        if (frame % 3 != 0) {
            EXPECT_EQ(f.heading, before) << "frame " << frame;
        } else {
            EXPECT_NEAR(f.heading - before, std::min(c.stepSize, c.target - before), 1e-5) << "frame " << frame;
        }
        if (f.headingReached)
            arrivedAt = frame;
    }
    EXPECT_EQ(arrivedAt, c.framesToArrive);
    EXPECT_EQ(f.heading, c.target);
}

INSTANTIATE_TEST_SUITE_P(Fish, SegmentYawTurn,
                         ::testing::Values(TurnCase{"ninety", 90, 10, 27}, TurnCase{"seven", 7, 3, 9},
                                           TurnCase{"three", 3, 1, 9}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SegmentYaw, theTailTrailsTheHeadDuringATurn)
{
    Fish f = calmFish();
    f.targetHeading = 90;
    for (int frame = 0; frame < 3; ++frame)
        f.computeAnimation(3);
    // heading 10, remaining turn 80: rings step 80 / 9 back from the head.
    EXPECT_FLOAT_EQ(f.anim.segmentYaw[0], 10.0f);
    EXPECT_NEAR(f.anim.segmentYaw[9], -70.0f, 1e-4);
    EXPECT_NEAR(f.anim.segmentYaw[3], 10.0f - 3 * 80.0f / 9, 1e-4);
    EXPECT_EQ(f.settledYaw[9], -70);
}

TEST(SegmentYaw, ringsSwingIntoLineTwoDegreesAFrameAfterArrival)
{
    Fish f = calmFish();
    f.targetHeading = 90;
    for (int frame = 0; frame < 100; ++frame)
        f.computeAnimation(3);
    ASSERT_TRUE(f.segmentsSettled);
    ASSERT_EQ(f.anim.segmentYaw[9], 90.0f);
    f.settledYaw[9] = 80;
    f.segmentsSettled = false;
    f.computeAnimation(3);
    EXPECT_EQ(f.anim.segmentYaw[9], 82.0f);
    EXPECT_EQ(f.anim.segmentYaw[0], 90.0f);
    for (int frame = 0; frame < 4; ++frame)
        f.computeAnimation(3);
    EXPECT_EQ(f.anim.segmentYaw[9], 90.0f);
    EXPECT_FALSE(f.segmentsSettled);
    f.computeAnimation(3);
    EXPECT_TRUE(f.segmentsSettled);
}

TEST(SegmentYaw, anAttractedFishTurnsInStepsOfTen)
{
    Fish f = calmFish();
    f.attracted = true;
    f.targetHeading = 5;
    for (int frame = 0; frame < 3; ++frame)
        f.computeAnimation(3);
    EXPECT_EQ(f.heading, 5.0f); // one step of 10, held at the target
}

// Whatever the phase of the heading step counter, a side-wall turn snaps the heading and
// every ring in the frame of the hit, and the body stays in line afterwards.
class SideWallSnap : public ::testing::TestWithParam<int> {};

TEST_P(SideWallSnap, headingAndEveryRingTurnInTheFrameOfTheHit)
{
    Fish f = calmFish();
    f.headingStepCounter = GetParam();
    f.targetHeading = 180;
    f.lastBoundHit = kBelowXMin;
    for (int frame = 0; frame < 6; ++frame) {
        f.computeAnimation(3);
        f.lastBoundHit = kNoBound;  // back inside after the push
        EXPECT_EQ(f.heading, 180.0f) << "frame " << frame;
        for (int ring = 0; ring < 10; ++ring) {
            EXPECT_EQ(f.anim.segmentYaw[ring], 180.0f) << "frame " << frame << " ring " << ring;
            EXPECT_EQ(f.settledYaw[ring], 180) << "frame " << frame << " ring " << ring;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SegmentYaw, SideWallSnap, ::testing::Values(0, 1, 2));

TEST(PitchFollow, movesOneDegreePerFrameTowardItsTarget)
{
    Fish f = calmFish();
    f.targetPitch = 2;
    f.followPitch();
    EXPECT_EQ(f.pitch, 1.0f);
    f.followPitch();
    f.followPitch();
    EXPECT_EQ(f.pitch, 2.0f);
    f.targetPitch = -1;
    f.followPitch();
    EXPECT_EQ(f.pitch, 1.0f);
}

TEST(AxisAngleMatrix, zeroAxisGivesIdentity)
{
    float m[16];
    axisAngleMatrix(m, 1.0f, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
}

TEST(AxisAngleMatrix, quarterTurnAboutZTakesXToY)
{
    Fish f = calmFish();
    f.setSegmentRotation(90, 0, 0, 2); // the axis is normalised first
    float p[3];
    f.transformBySegment(1, 0, 0, p);
    EXPECT_NEAR(p[0], 0, 1e-6);
    EXPECT_NEAR(p[1], 1, 1e-6);
    EXPECT_NEAR(p[2], 0, 1e-6);
    EXPECT_NEAR(f.segmentMatrix[4], -1, 1e-6); // R01, column order
    EXPECT_EQ(f.segmentMatrix[15], 1.0f);
}

TEST(AxisAngleMatrix, halfTurnAboutXFlipsYAndZ)
{
    float m[16];
    axisAngleMatrix(m, 3.14159265f, 1, 0, 0);
    EXPECT_NEAR(m[5], -1, 1e-6);
    EXPECT_NEAR(m[10], -1, 1e-6);
    EXPECT_NEAR(m[0], 1, 1e-6);
}

} // namespace
