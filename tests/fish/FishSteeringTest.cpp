#include "Fish.h"
#include "FishTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct SpeedCase {
    float start, step, target, expected;
};

class ApproachSpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(ApproachSpeed, stepsTowardTheTargetWithinLimits)
{
    const SpeedCase c = GetParam();
    Fish f = calmFish();
    f.speed = c.start;
    f.approachSpeed(c.step, c.target);
    EXPECT_NEAR(f.speed, c.expected, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Fish, ApproachSpeed,
                         ::testing::Values(SpeedCase{0.15f, 0.1f, 0.1f, 0.1f},  // 0.05 clamped up
                                           SpeedCase{0.1f, 0.05f, 0.4f, 0.15f},
                                           SpeedCase{0.1f, 0.4f, 0.4f, 0.4f},   // 0.5 clamped down
                                           SpeedCase{0.3f, 0.1f, 0.3f, 0.3f},   // at the target
                                           SpeedCase{0.3f, 0.01f, 0.1f, 0.29f}));

struct TurnRequest {
    const char *name;
    float heading, targetHeading;
    float amount;
    bool side;
    int kind;
    float z;
    std::vector<int> randoms;
    float expected;
};

class RequestTurn : public ::testing::TestWithParam<TurnRequest> {};

TEST_P(RequestTurn, changesTheTargetHeadingByKind)
{
    const TurnRequest c = GetParam();
    Fish f = calmFish(0, 0, c.z, c.heading);
    f.targetHeading = c.targetHeading;
    ScriptedRandom random(c.randoms);
    f.requestTurn(c.amount, c.side, c.kind);
    EXPECT_FLOAT_EQ(f.targetHeading, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fish, RequestTurn,
    ::testing::Values(
        TurnRequest{"halfTurnFrom270", 270, 270, 0, false, 1, -70, {}, 90},
        TurnRequest{"halfTurnFrom180", 180, 180, 0, false, 1, -70, {}, 360},
        TurnRequest{"halfTurnFrom200", 200, 200, 0, false, 1, -70, {}, 20},
        TurnRequest{"halfTurnFrom20", 20, 20, 0, false, 1, -70, {}, 200},
        TurnRequest{"randomTurnIgnoredDuringATurn", 10, 90, 0, false, 0, -70, {0, 50}, 90},
        TurnRequest{"randomTurnAdds", 0, 0, 0, false, 0, -70, {7, 169}, 169},
        TurnRequest{"randomTurnSubtractsAbove180", 300, 300, 0, false, 0, -70, {7, 170 + 20}, 280},
        TurnRequest{"sideTurnTowardPlusXWhenFacingMinusX", 0, 0, 0, true, 2, -70, {179}, -179},
        TurnRequest{"sideTurnAwayWhenSideIsFalse", 0, 0, 0, false, 2, -70, {45}, 45},
        TurnRequest{"quarterTurnAbove180", 200, 200, 0, false, 4, -70, {}, 110},
        TurnRequest{"quarterTurnUpTo180", 90, 90, 0, false, 4, -70, {}, 180},
        TurnRequest{"quarterTurnFromZero", 0, 0, 0, false, 4, -70, {}, -90},
        TurnRequest{"quarterTurnFromMinus90", -90, -90, 0, false, 4, -70, {}, -180},
        TurnRequest{"quarterTurnBelowMinus180", -200, -200, 0, false, 4, -70, {}, -110},
        TurnRequest{"quarterTurnNotInTheMiddleOfTheBand", 0, 0, 0, false, 4, -75, {}, 0},
        TurnRequest{"quarterTurnNotOutsideTheBand", 0, 0, 0, false, 4, -60, {}, 0},
        TurnRequest{"smallSidestep", 180, 180, 0, true, 5, -70, {3}, 193},
        TurnRequest{"halfTurnBySideFacingMinusX", 0, 0, 0, true, 6, -70, {}, -180},
        TurnRequest{"halfTurnBySideFacingPlusX", 180, 180, 0, true, 6, -70, {}, 360},
        TurnRequest{"halfTurnNotSideFacingPlusX", 180, 180, 0, false, 6, -70, {}, 0},
        TurnRequest{"turnByAmountTruncated", 0, 0, 30.7f, true, 7, -70, {}, -30},
        TurnRequest{"turnByNegativeAmount", 0, 0, -12.9f, false, 7, -70, {}, 12},
        TurnRequest{"clampedTo360", 350, 350, 0, false, 5, -70, {9}, 360},
        TurnRequest{"unknownKindChangesNothing", 0, 0, 0, false, 3, -70, {}, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RequestTurn, halfTurnFrom200ComesBackAfterTheTurnEnds)
{
    Fish f = calmFish(0, 0, -70, 200);
    f.requestTurn(0, false, 1);
    EXPECT_EQ(f.targetHeading, 20.0f);
    f.requestTurn(0, false, 1); // still turning: ignored
    EXPECT_EQ(f.targetHeading, 20.0f);
    f.heading = 20;
    f.requestTurn(0, false, 1);
    EXPECT_EQ(f.targetHeading, 200.0f);
}

struct PitchRequest {
    const char *name;
    float targetPitch;
    float amount;
    bool up;
    int kind;
    std::vector<int> randoms;
    float expected;
};

class RequestPitch : public ::testing::TestWithParam<PitchRequest> {};

TEST_P(RequestPitch, changesTheTargetPitchByKind)
{
    const PitchRequest c = GetParam();
    Fish f = calmFish();
    f.targetPitch = c.targetPitch;
    ScriptedRandom random(c.randoms);
    f.requestPitch(c.amount, c.up, c.kind);
    EXPECT_FLOAT_EQ(f.targetPitch, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fish, RequestPitch,
    ::testing::Values(PitchRequest{"randomDownFrom10Least", 10, 0, false, 0, {0}, -5},
                      PitchRequest{"randomDownFrom10Most", 10, 0, false, 0, {14}, -19},
                      PitchRequest{"randomUpFromZeroLeast", 0, 0, false, 0, {15}, 15},
                      PitchRequest{"randomUpFromZeroMost", 0, 0, false, 0, {29}, 29},
                      PitchRequest{"mirror", 30, 0, false, 3, {}, -30},
                      PitchRequest{"oneDegreeUp", 45, 0, true, 5, {}, 45},
                      PitchRequest{"oneDegreeDown", 0, 0, false, 5, {}, -1},
                      PitchRequest{"climbByAmount", 10, 20, true, 7, {}, 30},
                      PitchRequest{"climbClampedTo45", 40, 20, true, 7, {}, 45},
                      PitchRequest{"climbOutOfRangeChangesNothing", 10, 90, true, 7, {}, 10},
                      PitchRequest{"unknownKindChangesNothing", 50, 0, true, 4, {}, 50}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Fish, constructionDrawsPitchHeadingCounterAndTimerInOrder)
{
    ScriptedRandom random({7 + 45, 3, 12 + 15, 150 + 200});
    Fish f;
    EXPECT_EQ(f.targetPitch, 7.0f);
    EXPECT_EQ(f.targetHeading, 180.0f); // odd
    EXPECT_EQ(f.restPoseCounter, 12);
    EXPECT_EQ(f.wanderTimer, 150);
    EXPECT_EQ(random.draws(), 4u);
    EXPECT_EQ(f.scale, 6.0f);
    EXPECT_EQ(f.speed, 0.1f);
    EXPECT_TRUE(f.restPose);
    EXPECT_EQ(f.behaviourMode, 8);
}

TEST(Fish, evenDrawFacesMinusX)
{
    ScriptedRandom random({44, 2, 0, 0});
    Fish f;
    EXPECT_EQ(f.targetPitch, 44.0f);
    EXPECT_EQ(f.targetHeading, 0.0f);
}

TEST(Fish, swimBoundsWidenTheVerticalRange)
{
    Fish f = calmFish();
    f.setSwimBounds(-50, 50, 11, -15, -80, -60);
    EXPECT_EQ(f.swimBounds[2], 21.0f);
    EXPECT_EQ(f.swimBounds[3], -10.0f);
    EXPECT_EQ(f.swimBounds[4], -80.0f);
    EXPECT_EQ(f.swimBounds[5], -60.0f);
    EXPECT_FLOAT_EQ(f.boxLengthFactor, 0.643830f);
    EXPECT_FLOAT_EQ(f.coreBox.xMax, 0.321915f);
    EXPECT_FLOAT_EQ(f.coreBox.zMin, -0.5f);
}

TEST(Movement, swimsAlongHeadingAndClimbsByTargetPitch)
{
    Fish f = calmFish(0, 0, -70, 90);
    f.speed = 0.2f;
    f.targetPitch = 30;
    f.movementStep();
    EXPECT_NEAR(f.x, 0.0f, 1e-5);
    EXPECT_NEAR(f.z, -69.8f, 1e-5); // heading 90 swims toward +z
    EXPECT_NEAR(f.y, 0.1f, 1e-5);   // sin 30 * 0.2
}

// A fish swimming straight at a side wall crosses it by 0.05.
struct SideWallCase {
    const char *wall;
    float x, heading;    // just inside the wall, facing it
    float turnedHeading; // the half turn's target
    int hit;
    float nextX;         // one frame later, swimming back in
};

std::ostream &operator<<(std::ostream &out, const SideWallCase &c) { return out << c.wall; }

class SideWall : public ::testing::TestWithParam<SideWallCase> {};

TEST_P(SideWall, crossingItPushesBackAndTurnsAbout)
{
    const SideWallCase c = GetParam();
    Fish f = calmFish(c.x, 0, -70, c.heading);
    f.speed = 0.1f;
    f.movementStep();
    EXPECT_NEAR(f.x, c.x, 1e-4); // moved 0.1 past the wall, pushed back 0.1
    EXPECT_EQ(f.targetHeading, c.turnedHeading);
    EXPECT_EQ(f.lastBoundHit, c.hit);

    // Next frame: heading and every ring snap to the target and the fish swims back in.
    f.advance(3);
    EXPECT_EQ(f.heading, c.turnedHeading);
    for (float yaw : f.anim.segmentYaw)
        EXPECT_EQ(yaw, c.turnedHeading);
    EXPECT_NEAR(f.x, c.nextX, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Bounds, SideWall,
                         ::testing::Values(SideWallCase{"left", -49.95f, 0, 180, kBelowXMin, -49.85f},
                                           SideWallCase{"right", 49.95f, 180, 360, kAboveXMax, 49.85f}),
                         [](const auto &info) { return std::string(info.param.wall); });

TEST(Bounds, topHoldsTheFishAndMirrorsItsClimb)
{
    Fish f = calmFish(0, 20.99f, -70, 0);
    f.targetPitch = 30;
    f.speed = 0.1f;
    f.movementStep();
    EXPECT_EQ(f.y, 21.0f);
    EXPECT_EQ(f.targetPitch, -30.0f);
    EXPECT_EQ(f.lastBoundHit, kAtYMax);
}

TEST(Bounds, bottomHoldsTheFishAndMirrorsItsDive)
{
    Fish f = calmFish(0, -9.99f, -70, 0);
    f.targetPitch = -20;
    f.speed = 0.3f;
    f.movementStep();
    EXPECT_EQ(f.y, -10.0f);
    EXPECT_EQ(f.targetPitch, 20.0f);
    EXPECT_EQ(f.lastBoundHit, kAtYMin);
    EXPECT_NEAR(f.speed, 0.2f, 1e-6);
}

TEST(Bounds, frontIsNotPushedBackButBlocksFurtherMoves)
{
    ScriptedRandom random({0}); // the random turn at the bound turns by 0
    Fish f = calmFish(0, 0, -60.05f, 90);
    f.speed = 0.1f;
    f.movementStep();
    EXPECT_NEAR(f.z, -59.95f, 1e-4);
    EXPECT_EQ(f.lastBoundHit, kAboveZMax);
    f.movementStep();
    EXPECT_NEAR(f.z, -59.95f, 1e-4); // still facing +z: held where it is
    f.heading = f.targetHeading = 270;
    f.movementStep();
    EXPECT_LT(f.z, -59.95f);
}

TEST(Bounds, aSideWallTurnHaltsMovementUntilTheHeadingIsNearTheTarget)
{
    Fish f = calmFish(-49.95f, 0, -70, 0);
    f.targetHeading = 180;
    f.lastBoundHit = kBelowXMin;
    f.movementStep();
    EXPECT_EQ(f.x, -49.95f);
    EXPECT_EQ(f.lastBoundHit, kBelowXMin); // no bounds pass either
}

TEST(Bounds, nearSideWallsTheFishSlowsDown)
{
    Fish f = calmFish(45, 0, -70, 180);
    f.speed = 0.4f;
    f.movementStep();
    EXPECT_NEAR(f.speed, 0.39f, 1e-6);
}

// A fish record already at or past a wall, still heading (or climbing) out while its
// target points back in: for a hundred whole frames it never gets further out than it
// started. (The box of calmFish: x -50..50, y -10..21, back z -80 with a margin of 2.)
struct WallCase {
    const char *wall;
    float x, y, z, heading, targetHeading, targetPitch;
    int axis;      // 0 x, 1 y, 2 z
    float outward; // -1: out is toward smaller values, +1: toward larger
};

std::ostream &operator<<(std::ostream &out, const WallCase &c) { return out << c.wall; }

class WallClamp : public ::testing::TestWithParam<WallCase> {};

TEST_P(WallClamp, aFishPastAWallGoesNoFurtherOut)
{
    const WallCase c = GetParam();
    ScriptedRandom quiet({0});
    Fish f = calmFish(c.x, c.y, c.z, c.heading);
    f.targetHeading = c.targetHeading;
    f.targetPitch = c.targetPitch;
    f.speed = 0.4f;
    f.updateDirectionFlags();
    const float start[3] = {c.x, c.y, c.z};
    for (int frame = 0; frame < 100; ++frame) {
        f.advance(3);
        const float at[3] = {f.x, f.y, f.z};
        ASSERT_LE(c.outward * (at[c.axis] - start[c.axis]), 1e-4f) << "frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, WallClamp,
                         ::testing::Values(WallCase{"left", -50.5f, 0, -70, 10, 180, 0, 0, -1},
                                           WallCase{"right", 50.5f, 0, -70, 170, 0, 0, 0, +1},
                                           WallCase{"back", 0, 0, -78.5f, 260, 90, 0, 2, -1},
                                           WallCase{"top", 0, 21, -70, 0, 0, 30, 1, +1},
                                           WallCase{"bottom", 0, -10, -70, 0, 0, -30, 1, -1}),
                         [](const auto &info) { return std::string(info.param.wall); });

TEST(Movement, headingBeyondAFullCircleFoldsBack)
{
    Fish f = calmFish(0, 0, -70, 0);
    f.heading = 370;
    f.targetHeading = 180;
    f.movementStep();
    EXPECT_EQ(f.heading, 180.0f);
    f.heading = -361;
    f.movementStep();
    EXPECT_EQ(f.heading, -180.0f);
}

TEST(Wander, decidesOnlyWhenItsTimerRunsOut)
{
    ScriptedRandom random({50, 3, 0, 100, 0});
    Fish f = calmFish(0, 0, -70, 0);
    f.wanderTimer = 200;
    f.wanderStep();
    EXPECT_EQ(random.draws(), 0u);
    EXPECT_EQ(f.wanderTimer, 201);
    f.wanderStep();
    // timer 50; speed toward 0.4 by 0.05; turn by 100 (one draw discarded); pitch +15.
    EXPECT_EQ(f.wanderTimer, 50);
    EXPECT_NEAR(f.speed, 0.15f, 1e-6);
    EXPECT_EQ(f.targetHeading, 100.0f);
    EXPECT_EQ(f.targetPitch, 15.0f);
}

TEST(Wander, pausesWhileTouchingOrAttracted)
{
    ScriptedRandom random({0});
    Fish f = calmFish();
    f.wanderTimer = 500;
    f.touching = true;
    f.wanderStep();
    f.touching = false;
    f.attracted = true;
    f.wanderStep();
    EXPECT_EQ(f.wanderTimer, 500);
    EXPECT_EQ(random.draws(), 0u);
}

TEST(CollisionBox, levelFishFacingMinusX)
{
    Fish f = calmFish(0, 0, 0, 0);
    f.updateCollisionBox();
    // L = 0.643830 * 6 / 2, H = 0.181513 * 6, W = 6.
    EXPECT_NEAR(f.noseX, -1.93149f, 1e-5);
    EXPECT_NEAR(f.tailX, 1.93149f, 1e-5);
    EXPECT_NEAR(f.noseY, 0.0f, 1e-6);
    EXPECT_NEAR(f.collisionBox.xMin, -3.86298f, 1e-4);
    EXPECT_NEAR(f.collisionBox.yMax, 0.816809f, 1e-5); // H/2 + H/4
    EXPECT_NEAR(f.collisionBox.zMax, 4.5f, 1e-5);      // W/2 + W/4
    EXPECT_NEAR(f.coreBox.yMin, -0.544539f, 1e-5);
}

TEST(CollisionBox, climbingFishFacingPlusZ)
{
    Fish f = calmFish(0, 0, 0, 90);
    f.targetPitch = 30;
    f.pitch = 10;
    f.updateDirectionFlags();
    f.updateCollisionBox();
    // hz = L, hy = L sin 30 = 0.965745; nose ahead (+z) and up.
    EXPECT_NEAR(f.noseZ, 1.93149f, 1e-4);
    EXPECT_NEAR(f.noseY, 0.965745f, 1e-4);
    EXPECT_NEAR(f.tailY, -0.965745f, 1e-4);
    EXPECT_NEAR(f.noseX, 0.0f, 1e-4);
}

TEST(LineAngle, comparesSlopesInDegrees)
{
    EXPECT_NEAR(lineAngle(1, 0, 1, 1), 45.0f, 1e-3);
    EXPECT_NEAR(lineAngle(1, 0, 0, 1), 90.0f, 1e-2); // vertical: slope 10000
    EXPECT_NEAR(lineAngle(-2, 0, 3, 0), 0.0f, 1e-6);
    EXPECT_NEAR(lineAngle(1, 1, 1, -1), 90.0f, 1e-2); // perpendicular slopes
}

} // namespace
