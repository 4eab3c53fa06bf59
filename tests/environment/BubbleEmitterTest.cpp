#include "BubbleEmitter.h"
#include "ScriptedRandom.h"

#include <gtest/gtest.h>

#include <climits>

// Draws for one created particle, in order: x, y, z, vx minuend, vx subtrahend, vy, vz,
// size, fade. Values above n show that each is taken modulo n.
static const std::vector<int> kCreateDraws = {350, 16, 10, 14000, 3000, 9900, 13500, 38, 60};

TEST(BubbleEmitter, createDrawsInOrder)
{
    ScriptedRandom random(kCreateDraws);
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(1));
    EXPECT_EQ(random.draws(), 9u);
    const Particle &p = emitter.particles[0];
    EXPECT_FLOAT_EQ(p.x, 50);                              // 350 % 200 - 100
    EXPECT_FLOAT_EQ(p.y, -0.965f);                         // 16 % 9 = 7; 7 x 0.005 - 1
    EXPECT_FLOAT_EQ(p.z, 0.02f);                           // 10 % 6 = 4; 4 x 0.005
    EXPECT_FLOAT_EQ(p.vx, 0.014f);                         // (5000 - 3000) x 0.000007
    EXPECT_FLOAT_EQ(p.vy, 0.0126f);                        // 900 x 0.000042 / 3
    EXPECT_FLOAT_EQ(p.vz, 0.0045f);                        // 4500 x 0.000001
    EXPECT_FLOAT_EQ(p.size, 2.0f);                         // (38 % 20 + 2) x 0.1
    EXPECT_FLOAT_EQ(p.fade, 0.5f);                         // 60 % 50 = 10; 10 x 0.05
    EXPECT_FLOAT_EQ(p.life, 200);
    EXPECT_FLOAT_EQ(p.ax, 0);
    EXPECT_FLOAT_EQ(p.ay, 0.00083333329f);
    EXPECT_FLOAT_EQ(p.az, 0);
}

TEST(BubbleEmitter, createFillsEveryParticleWithNineDraws)
{
    ScriptedRandom random({});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(110));
    EXPECT_EQ(random.draws(), 990u);
    EXPECT_EQ(emitter.count, 110);
    EXPECT_EQ(emitter.capacity(), 110);
    EXPECT_FLOAT_EQ(emitter.particles[109].x, -100);
    EXPECT_FLOAT_EQ(emitter.particles[109].life, 200);
}

TEST(BubbleEmitter, createFailsCleanlyForNegativeCount)
{
    ScriptedRandom random({});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(5));
    EXPECT_FALSE(emitter.create(-1));
    EXPECT_EQ(emitter.count, 0);
    EXPECT_EQ(emitter.capacity(), 0);
    EXPECT_EQ(emitter.particles, nullptr);
    // Drawing from an empty pool touches nothing.
    emitter.setDrawCount(110);
    EXPECT_EQ(emitter.count, 0);
    emitter.update();
    EXPECT_EQ(random.draws(), 45u);
}

TEST(BubbleEmitter, updateMovesThenAccelerates)
{
    ScriptedRandom random({});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(1));
    Particle &p = emitter.particles[0];
    p = {1, 2, 3, 0.5f, 0.25f, 0.125f, 0, 0.001f, 0, 200, 1.5f, 0.7f};
    emitter.update();
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.y, 2.25f);
    EXPECT_FLOAT_EQ(p.z, 3.125f);
    EXPECT_FLOAT_EQ(p.vy, 0.251f);
    EXPECT_FLOAT_EQ(p.vx, 0.5f);
    EXPECT_FLOAT_EQ(p.life, 198.5f);
    EXPECT_EQ(random.draws(), 9u);  // only the creation's
}

struct RebirthCase {
    const char *name;
    float y;
    float life;
    float fade;
    bool reborn;
};

class BubbleRebirth : public ::testing::TestWithParam<RebirthCase> {};

TEST_P(BubbleRebirth, rebornOutsideRangeOrWhenFaded)
{
    const RebirthCase c = GetParam();
    ScriptedRandom random({0, 0, 0, 0, 0, 0, 0, 0, 0,
                           // rebirth: x, y, z, vx, vx, vy, vz, fade
                           250, 12, 9500, 6000, 2000, 10000, 45000, 71});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(1));
    Particle &p = emitter.particles[0];
    p = {7, c.y, 4, 0, 0, 0, 0, 0, 0, c.life, c.fade, 1.7f};
    emitter.update();
    if (!c.reborn) {
        EXPECT_EQ(random.draws(), 9u);
        EXPECT_FLOAT_EQ(p.x, 7);
        EXPECT_FLOAT_EQ(p.y, c.y);
        return;
    }
    EXPECT_EQ(random.draws(), 17u);
    EXPECT_FLOAT_EQ(p.x, -50);        // 250 % 200 - 100
    EXPECT_FLOAT_EQ(p.y, -0.985f);    // 12 % 9 = 3; 3 x 0.005 - 1
    EXPECT_FLOAT_EQ(p.z, 0.0005f);    // 9500 % 9000 = 500; x 0.000001
    EXPECT_FLOAT_EQ(p.vx, 0.028f);    // (6000 - 2000) x 0.000007
    EXPECT_FLOAT_EQ(p.vy, 0.042f);    // 1000 x 0.000042, no third
    EXPECT_FLOAT_EQ(p.vz, 0.045f);    // 45000 % 90000 x 0.000001
    EXPECT_FLOAT_EQ(p.ay, 0.00083333329f);
    EXPECT_FLOAT_EQ(p.life, 200);
    EXPECT_FLOAT_EQ(p.fade, 1.05f);   // 71 % 50 = 21; x 0.05
    EXPECT_FLOAT_EQ(p.size, 1.7f);    // kept
}

INSTANTIATE_TEST_SUITE_P(
    BubbleEmitter, BubbleRebirth,
    ::testing::Values(RebirthCase{"exactlyFloor", -25, 200, 0, true},
                      RebirthCase{"belowFloor", -30, 200, 0, true},
                      RebirthCase{"justAboveFloor", -24.5f, 200, 0, false},
                      RebirthCase{"exactlyCeiling", 130, 200, 0, true},
                      RebirthCase{"justBelowCeiling", 129.5f, 200, 0, false},
                      RebirthCase{"lifeReachesZero", 10, 2, 2, true},
                      RebirthCase{"lifeStaysAboveZero", 10, 2.5f, 2, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BubbleEmitter, particleWithoutFadeLivesUntilItRisesTo130)
{
    // Creation with all draws 0: y -1, vy 0, fade 0; it climbs by 0.00083333 x n after
    // n updates, so after n updates y = -1 + 0.00083333 x n (n - 1) / 2: 129.9 after
    // 561 and 130.37 after 562. The rebirth then draws x = 250 % 200 - 100 = -50.
    std::vector<int> draws(9, 0);
    draws.push_back(250);
    ScriptedRandom random(draws);
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(1));
    const Particle &p = emitter.particles[0];
    ASSERT_FLOAT_EQ(p.fade, 0);
    int rebornAt = 0;
    for (int update = 1; update <= 1000 && rebornAt == 0; ++update) {
        emitter.update();
        if (p.x != -100)
            rebornAt = update;
        else
            EXPECT_FLOAT_EQ(p.life, 200);
    }
    EXPECT_EQ(rebornAt, 562);
}

TEST(BubbleEmitter, jitterShiftsXAndZByTwoDraws)
{
    ScriptedRandom random({0, 0, 0, 0, 0, 0, 0, 0, 0, 25, 19});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(1));
    emitter.particles[0] = {1, 2, 3, 0, 0, 0, 0, 0, 0, 200, 0, 0.5f};
    const BubbleQuad q = emitter.jitteredQuad(0);
    EXPECT_EQ(random.draws(), 11u);
    // jx = 25 % 20 x 0.01 = 0.05, jz = 0.19: centre (1.05, 2, 3.19), half side 0.5.
    const BubbleCorner expected[4] = {{0.55f, 1.5f, 3.19f, 0, 0},
                                      {0.55f, 2.5f, 3.19f, 1, 0},
                                      {1.55f, 2.5f, 3.19f, 1, 1},
                                      {1.55f, 1.5f, 3.19f, 0, 1}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(q[i].x, expected[i].x);
        EXPECT_FLOAT_EQ(q[i].y, expected[i].y);
        EXPECT_FLOAT_EQ(q[i].z, expected[i].z);
        EXPECT_FLOAT_EQ(q[i].s, expected[i].s);
        EXPECT_FLOAT_EQ(q[i].t, expected[i].t);
    }
    // The jitter is not stored.
    EXPECT_FLOAT_EQ(emitter.particles[0].x, 1);
    EXPECT_FLOAT_EQ(emitter.particles[0].z, 3);
}

TEST(BubbleEmitter, drawCountOf10MovesOnlyTheFirst10)
{
    ScriptedRandom random({});
    BubbleEmitter emitter;
    ASSERT_TRUE(emitter.create(110));
    emitter.setDrawCount(bubbleDrawCount(100));
    EXPECT_EQ(emitter.count, 10);
    emitter.update();
    // vy starts at 0, so only the rise shows which particles moved.
    EXPECT_FLOAT_EQ(emitter.particles[9].vy, 0.00083333329f);
    EXPECT_FLOAT_EQ(emitter.particles[10].vy, 0);
    EXPECT_FLOAT_EQ(emitter.particles[109].vy, 0);
}

class BubbleDrawCount : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BubbleDrawCount, is110MinusQipaoNumWithin0To110)
{
    EXPECT_EQ(bubbleDrawCount(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(BubbleEmitter, BubbleDrawCount,
                         ::testing::Values(std::pair{100, 10}, std::pair{0, 110},
                                           std::pair{1, 109}, std::pair{110, 0},
                                           std::pair{-1, 110}, std::pair{-500, 110},
                                           std::pair{111, 0}, std::pair{1000, 0},
                                           std::pair{INT_MIN, 110}, std::pair{INT_MAX, 0}));

TEST(BubbleEmitter, originsStandBelowTheTankAtThreeDepths)
{
    const float expectedZ[3] = {-150, -250, -100};
    for (int i = 0; i < 3; ++i) {
        const EmitterOrigin o = bubbleEmitterOrigin(i, -21, -50);
        EXPECT_FLOAT_EQ(o.x, 0);
        EXPECT_FLOAT_EQ(o.y, -26);
        EXPECT_FLOAT_EQ(o.z, expectedZ[i]);
    }
}
