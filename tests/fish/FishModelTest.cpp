#include "Fish.h"
#include "FishModel.h"
#include "FishTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

struct Vertex {
    float x, y, z, s, t;
};

// Records what the model emits, after the segment matrix, part by part.
class Recorder final : public FishVertexSink {
public:
    void beginPart(int part) override { current = part; }
    void beginStrip() override { strips[current].push_back({}); }
    void vertex(Fish &fish, float x, float y, float z, float, float, float, float s, float t) override
    {
        float p[3];
        fish.transformBySegment(x, y, z, p);
        strips[current].back().push_back({p[0], p[1], p[2], s, t});
        all.push_back({p[0], p[1], p[2], s, t});
    }
    void endStrip() override {}

    int current = 0;
    std::map<int, std::vector<std::vector<Vertex>>> strips;
    std::vector<Vertex> all;

    float extent(float Vertex::*c, bool highest) const
    {
        float v = highest ? -1e9f : 1e9f;
        for (const Vertex &p : all)
            v = highest ? std::max(v, p.*c) : std::min(v, p.*c);
        return v;
    }
};

// A straight fish: every yaw, wave and lift 0.
Recorder straightFish(int species, float scale = 6)
{
    Fish f = calmFish();
    f.scale = scale;
    f.species = species;
    f.anim = FishAnimation{};
    Recorder r;
    f.emitModel(r);
    return r;
}

struct PartCase {
    const char *name;
    int part;
    int strips;
    int verticesPerStrip;
};

class ModelParts : public ::testing::TestWithParam<PartCase> {};

TEST_P(ModelParts, eachPartEmitsItsStripsAndSteps)
{
    const PartCase c = GetParam();
    Recorder r = straightFish(3);
    ASSERT_EQ(static_cast<int>(r.strips[c.part].size()), c.strips);
    for (const auto &strip : r.strips[c.part])
        EXPECT_EQ(static_cast<int>(strip.size()), c.verticesPerStrip);
}

INSTANTIATE_TEST_SUITE_P(FishModel, ModelParts,
                         ::testing::Values(PartCase{"body", kPartBody, 8, 20}, PartCase{"head", kPartHead, 6, 22},
                                           PartCase{"frontLiftPair", kPartFrontLiftPair, 2, 24},
                                           PartCase{"upperFin", kPartUpperFin, 1, 16},
                                           PartCase{"lowerFin", kPartLowerFin, 1, 12},
                                           PartCase{"frontFinPair", kPartFrontFinPair, 2, 20},
                                           PartCase{"rearFin", kPartRearFin, 1, 16},
                                           PartCase{"sideFinPair", kPartSideFinPair, 2, 18},
                                           PartCase{"tail", kPartTail, 1, 20}, PartCase{"eyes", kPartEyes, 4, 10}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FishModel, aStraightFishLiesAlongMinusXNoseFirst)
{
    Recorder r = straightFish(3);
    EXPECT_EQ(r.all.size(), 520u);
    EXPECT_NEAR(r.extent(&Vertex::x, false), -1.92f, 1e-3); // nose tip, 0.32 * 6
    EXPECT_NEAR(r.extent(&Vertex::x, true), 1.92f, 1e-3);   // tail-fin tip
    // Upright: the dorsal fin reaches higher than the lowest fin goes down.
    EXPECT_GT(r.extent(&Vertex::z, true), 0.85f);
    EXPECT_LT(r.extent(&Vertex::z, false), -0.6f);
    EXPECT_GT(r.extent(&Vertex::z, true), -r.extent(&Vertex::z, false));
    // Symmetric from side to side.
    EXPECT_NEAR(r.extent(&Vertex::y, true), -r.extent(&Vertex::y, false), 1e-5);
}

TEST(FishModel, theNoseIsAtTheLeftEdgeOfTheSkinAndTheTailAtTheRight)
{
    Recorder r = straightFish(3);
    const auto nose = std::min_element(r.all.begin(), r.all.end(), [](auto &a, auto &b) { return a.x < b.x; });
    const auto tail = std::max_element(r.all.begin(), r.all.end(), [](auto &a, auto &b) { return a.x < b.x; });
    EXPECT_LT(nose->s, 0.02f);
    EXPECT_GT(tail->s, 0.95f);
    const auto top = std::max_element(r.all.begin(), r.all.end(), [](auto &a, auto &b) { return a.z < b.z; });
    const auto bottom = std::min_element(r.all.begin(), r.all.end(), [](auto &a, auto &b) { return a.z < b.z; });
    EXPECT_GT(top->t, 0.9f);    // dorsal fin: top band
    EXPECT_LT(bottom->t, 0.1f); // lower fins: bottom band
    for (const Vertex &v : r.all) {
        EXPECT_GE(v.s, 0.0f);
        EXPECT_LE(v.s, 1.0f);
        EXPECT_GE(v.t, 0.0f);
        EXPECT_LE(v.t, 1.0f);
    }
}

TEST(FishModel, theTallerBodyRisesOnlyForSpeciesTenToFourteen)
{
    const float plain = straightFish(9).extent(&Vertex::z, true);
    const float tall = straightFish(12).extent(&Vertex::z, true);
    const float pellet = straightFish(kPelletSpecies).extent(&Vertex::z, true);
    EXPECT_NEAR(tall - plain, 0.3f, 0.02f); // the dorsal fin lifted by 0.05 * 6
    EXPECT_EQ(pellet, plain);
    EXPECT_GT(straightFish(10).extent(&Vertex::z, true), plain + 0.25f);
    EXPECT_EQ(straightFish(15).extent(&Vertex::z, true), plain);

    // The back above ring 2 rises by 0.08 * 6; the belly stays.
    const Recorder plainBody = straightFish(9), tallBody = straightFish(12);
    const auto &plainStrip = plainBody.strips.at(kPartBody)[6]; // band 3 (upper flank to back), +y side
    const auto &tallStrip = tallBody.strips.at(kPartBody)[6];
    EXPECT_NEAR(tallStrip[5].z - plainStrip[5].z, 0.48f, 1e-4); // ring 2, back line
    const auto &plainBelly = plainBody.strips.at(kPartBody)[0];
    const auto &tallBelly = tallBody.strips.at(kPartBody)[0];
    EXPECT_EQ(tallBelly[4].z, plainBelly[4].z); // ring 2, belly line
}

TEST(FishModel, scaleSizesTheWholeModel)
{
    const Recorder six = straightFish(3, 6), nine = straightFish(3, 9);
    const float length6 = six.extent(&Vertex::x, true) - six.extent(&Vertex::x, false);
    const float length9 = nine.extent(&Vertex::x, true) - nine.extent(&Vertex::x, false);
    EXPECT_NEAR(length9 / length6, 1.5f, 1e-4);
}

TEST(FishModel, theBodyWaveShiftsBothSidesOfARingTogether)
{
    Fish f = calmFish();
    f.species = 3;
    f.anim = FishAnimation{};
    f.anim.bodyWave[9] = 0.1f;
    Recorder r;
    f.emitModel(r);
    Recorder straight = straightFish(3);
    const auto &side = r.strips.at(kPartBody)[2];      // band 1, +y side
    const auto &mirrored = r.strips.at(kPartBody)[3];  // band 1, -y side
    const auto &side0 = straight.strips.at(kPartBody)[2];
    const auto &mirrored0 = straight.strips.at(kPartBody)[3];
    EXPECT_NEAR(side[18].y - side0[18].y, 0.1f, 1e-6);          // ring 9
    EXPECT_NEAR(mirrored[18].y - mirrored0[18].y, 0.1f, 1e-6);
    EXPECT_EQ(side[16].y, side0[16].y);                         // ring 8 unmoved
}

TEST(FishModel, ringYawTurnsTheNoseTowardPlusZ)
{
    Fish f = calmFish();
    f.species = 3;
    f.anim = FishAnimation{};
    for (float &yaw : f.anim.segmentYaw)
        yaw = 90;
    Recorder r;
    f.emitModel(r);
    // Model y becomes world -z: the nose, turned to model -y, faces world +z.
    EXPECT_NEAR(r.extent(&Vertex::y, false), -1.92f, 1e-3);
    EXPECT_NEAR(r.extent(&Vertex::x, false), -r.extent(&Vertex::x, true), 1e-3);
}

TEST(FishModel, finFlutterMovesOnlyTheOuterEdge)
{
    Fish f = calmFish();
    f.species = 3;
    f.anim = FishAnimation{};
    f.anim.upperFinFlutter[3] = 0.05f;
    f.anim.frontPairFlutter[2] = 0.04f;
    Recorder r;
    f.emitModel(r);
    Recorder straight = straightFish(3);
    const auto &fin = r.strips.at(kPartUpperFin)[0];
    const auto &fin0 = straight.strips.at(kPartUpperFin)[0];
    EXPECT_NEAR(fin[6].y - fin0[6].y, 0.05f, 1e-6); // step 3, outer edge
    EXPECT_EQ(fin[7].y, fin0[7].y);                 // step 3, base
    // The pectoral rims beat mirror-wise: inward on both sides.
    const auto &right = r.strips.at(kPartFrontFinPair)[0], &left = r.strips.at(kPartFrontFinPair)[1];
    const auto &right0 = straight.strips.at(kPartFrontFinPair)[0], &left0 = straight.strips.at(kPartFrontFinPair)[1];
    EXPECT_NEAR(right[4].y - right0[4].y, -0.04f, 1e-6);
    EXPECT_NEAR(left[4].y - left0[4].y, 0.04f, 1e-6);
}

TEST(FishModel, headLiftRaisesTheNoseMost)
{
    Fish f = calmFish();
    f.species = 3;
    f.anim = FishAnimation{};
    f.anim.headLift[0] = 0.132f;
    f.anim.headLift[9] = 0.024f;
    Recorder r;
    f.emitModel(r);
    Recorder straight = straightFish(3);
    const auto &head = r.strips.at(kPartHead)[0], &head0 = straight.strips.at(kPartHead)[0];
    EXPECT_NEAR(head[0].z - head0[0].z, 0.132f, 1e-6);  // station 0, the nose
    EXPECT_NEAR(head[18].z - head0[18].z, 0.024f, 1e-6); // station 9
    EXPECT_EQ(head[20].z, head0[20].z);                  // station 10 meets ring 0
}

TEST(FishModel, theHeadMeetsTheBodyAtRingZero)
{
    // The head's last station and the body's first ring share the belly and back points.
    using namespace fishmodel;
    EXPECT_EQ(head[0][10].x, body[0][0].x);
    EXPECT_EQ(head[0][10].z, body[0][0].z);
    EXPECT_EQ(head[3][10].z, body[4][0].z);
    EXPECT_EQ(head[1][10].y, body[1][0].y);
    EXPECT_EQ(head[2][10].z, body[3][0].z);
}

} // namespace
