#include "Fish.h"
#include "FishTestSupport.h"
#include "Oscillator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CycleCase {
    const char *name;
    float phaseStep;
    int counterLimit;
    int expectedSteps;  // phase moves before it is set back to 0
    int expectedFrames; // calls until then
};

class OscillatorCycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(OscillatorCycle, phaseWrapsAfterItsSingleFloatCycle)
{
    const CycleCase c = GetParam();
    Oscillator osc{0, 0, 0, 1, c.phaseStep};
    int steps = 0;
    float last = 0;
    for (int frame = 1; frame <= 1000; ++frame) {
        osc.advance(c.counterLimit);
        if (osc.phase != last) {
            ++steps;
            if (osc.phase == 0.0f) {
                EXPECT_EQ(steps, c.expectedSteps);
                EXPECT_EQ(frame, c.expectedFrames);
                return;
            }
        }
        last = osc.phase;
    }
    FAIL() << "phase never wrapped";
}

INSTANTIATE_TEST_SUITE_P(Oscillator, OscillatorCycle,
                         ::testing::Values(CycleCase{"quarterPi", wave::kPi4, 1, 9, 27},
                                           CycleCase{"eighthPi", wave::kPi8, 1, 16, 48},
                                           CycleCase{"sixthPi", wave::kPi6, 1, 13, 39},
                                           CycleCase{"pi24", wave::kPi24, 1, 48, 144},
                                           CycleCase{"eighthPiFrontPair", wave::kPi8, 5, 16, 112}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Oscillator, fillSamplesTheSineAlongTheArray)
{
    Oscillator osc{0, 0, wave::kPi4, 0.01f, wave::kPi8};
    float values[8];
    osc.fill(values, 8, 6.0f);
    EXPECT_FLOAT_EQ(values[0], 0.0f);
    EXPECT_NEAR(values[2], 0.06f, 1e-6);   // sin(pi/2) * 0.01 * 6
    EXPECT_NEAR(values[6], -0.06f, 1e-6);  // sin(3 pi/2)
    EXPECT_NEAR(values[1], 0.0424264f, 1e-6);
}

TEST(Oscillator, phaseMovesOnEveryThirdCall)
{
    Oscillator osc{0, 0, 0, 1, 0.5f};
    osc.advance(1);
    osc.advance(1);
    EXPECT_EQ(osc.phase, 0.0f);
    osc.advance(1);
    EXPECT_EQ(osc.phase, 0.5f);
    EXPECT_EQ(osc.counter, 0);
}

TEST(BodyWave, headRingsStayStraightInEveryFrame)
{
    Fish f = calmFish();
    float largest = 0;
    for (int frame = 0; frame < 200; ++frame) {
        f.computeAnimation(3);
        for (int ring = 0; ring < 5; ++ring)
            ASSERT_EQ(f.anim.bodyWave[ring], 0.0f) << "ring " << ring << " frame " << frame;
        largest = std::max(largest, std::fabs(f.anim.bodyWave[9]));
    }
    // Tail ring at scale 6: 4/70 * 6 * 0.5 = 0.171 at most.
    EXPECT_LE(largest, 0.1715f);
    EXPECT_GT(largest, 0.15f);
}

TEST(BodyWave, growsTowardTheTailWithScale)
{
    Fish f = calmFish();
    f.scale = 9;
    f.computeAnimation(3); // phase 0 on the first frame
    // ring 6: 1/70 * sin(6 pi/12) * 9 * 0.5
    EXPECT_NEAR(f.anim.bodyWave[6], 0.0642857f, 1e-5);
    // ring 8: 3/70 * sin(8 pi/12) * 4.5
    EXPECT_NEAR(f.anim.bodyWave[8], 0.1670192f, 1e-5);
}

TEST(FinFlutter, scaledAndUnscaledWavesFollowTheirTables)
{
    Fish f = calmFish();
    f.scale = 6;
    f.computeAnimation(3); // every phase still 0
    EXPECT_NEAR(f.anim.upperFinFlutter[1], 0.0352671f, 1e-6);  // sin(pi/5) * 0.01 * 6
    EXPECT_NEAR(f.anim.sidePairFlutter[2], 0.06f, 1e-6);       // sin(pi/2) * 0.01 * 6
    EXPECT_NEAR(f.anim.rearFinFlutter[2], 0.01f, 1e-6);        // not scaled
    EXPECT_NEAR(f.anim.tailFlutter[2], 0.03f, 1e-6);           // not scaled
    EXPECT_NEAR(f.anim.frontPairFlutter[6], 0.0353553f, 1e-6); // sin(pi/4) * 0.05, not scaled
}

} // namespace
