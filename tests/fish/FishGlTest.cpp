#include "CoveringTriangles.h"
#include "FishPasses.h"
#include "FishTestSupport.h"
#include "GlScene.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The fish tests' window: the pick region's size on the food plane follows its pixels.
constexpr int kSceneWidth = 1280;
constexpr int kSceneHeight = 800;

GlScene &fishScene()
{
    return GlScene::instance(kSceneWidth, kSceneHeight);
}

struct FeedbackResult {
    int polygons = 0;
    int vertices = 0;
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    float yAtMinX = 0, yAtMaxX = 0; // height of the leftmost and rightmost points
    float width() const { return maxX - minX; }
};

// Runs `draw` in feedback mode under a 10 x 10 unit orthographic view mapped onto 1000 x
// 1000 window units, so a window coordinate is (world + 5) * 100.
FeedbackResult feedbackOf(const std::function<void()> &draw)
{
    fishScene();
    glViewport(0, 0, 1000, 1000);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-5, 5, -5, 5, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    static std::vector<GLfloat> buffer(400000);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    FeedbackResult r;
    for (GLint i = 0; i < used;) {
        const int token = static_cast<int>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const int n = static_cast<int>(buffer[i++]);
            ++r.polygons;
            for (int v = 0; v < n; ++v, i += 3) {
                ++r.vertices;
                if (buffer[i] < r.minX)
                    r.yAtMinX = buffer[i + 1];
                if (buffer[i] > r.maxX)
                    r.yAtMaxX = buffer[i + 1];
                r.minX = std::min(r.minX, buffer[i]);
                r.maxX = std::max(r.maxX, buffer[i]);
                r.minY = std::min(r.minY, buffer[i + 1]);
                r.maxY = std::max(r.maxY, buffer[i + 1]);
            }
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return r;
}

// A level fish facing -x whose waves are all flat.
Fish stillFish(float scale = 6)
{
    Fish f = calmFish(0, 0, 0, 0);
    f.scale = scale;
    for (Oscillator *o : {&f.bodyWaveWave, &f.upperFinWave, &f.frontPairWave, &f.rearFinWave, &f.sidePairWave, &f.tailWave})
        o->amplitude = 0;
    f.wanderTimer = -100000;
    return f;
}

FeedbackResult drawnFish(int species, float scale = 6)
{
    Fish f = stillFish(scale);
    return feedbackOf([&] { f.draw(species); });
}

TEST(FishDraw, aStraightFishLiesAlongMinusXUpright)
{
    const FeedbackResult r = drawnFish(3);
    EXPECT_NEAR(r.minX, 500 - 192, 0.5); // nose tip at x = -0.32 * 6
    EXPECT_NEAR(r.maxX, 500 + 192, 0.5); // tail-fin tip
    EXPECT_GT(r.maxY, 585);              // the dorsal fin on top
    EXPECT_LT(r.minY, 440);
    EXPECT_GT(r.maxY - 500, 500 - r.minY);
}

TEST(FishDraw, everyQuadOfTheModelReachesGl)
{
    const FeedbackResult r = drawnFish(3);
    // 26 strips, 520 vertices: 232 quads, each fed back as two triangles.
    EXPECT_EQ(r.polygons, 464);
    EXPECT_EQ(r.vertices, 1392);
}

TEST(FishDraw, speciesTwelveIsTallerThanSpeciesNine)
{
    const FeedbackResult nine = drawnFish(9), twelve = drawnFish(12), pellet = drawnFish(kPelletSpecies);
    EXPECT_NEAR(twelve.maxY - nine.maxY, 30, 2); // dorsal fin lifted 0.05 * 6
    EXPECT_EQ(pellet.maxY, nine.maxY);
    EXPECT_EQ(twelve.minY, nine.minY);
}

TEST(FishDraw, scaleNineIsOneAndAHalfTimesScaleSix)
{
    EXPECT_NEAR(drawnFish(3, 9).width() / drawnFish(3, 6).width(), 1.5, 1e-3);
}

// Quad strips of `quadSize` pixels a side, bent in depth and wobbling in the plane, each
// vertex a colour of its own, over a corner of the window.
struct CoveringCase {
    const char *name;
    float quadSize;
    int strips, quads;
    double mostKept; // share of the triangles the draw may keep
};

void PrintTo(const CoveringCase &c, std::ostream *out) { *out << c.name; }

class CoveringTrianglesTest : public ::testing::TestWithParam<CoveringCase> {};

// The kept triangles, drawn in the order given, colour and cover exactly the pixels the
// whole strips do: a dropped triangle that reached a pixel centre, or a quad split along
// the other diagonal or with its corners in another order, changes some pixel.
TEST_P(CoveringTrianglesTest, keptTrianglesDrawTheSamePixelsAsTheWholeStrips)
{
    const CoveringCase &c = GetParam();
    auto &scene = fishScene();
    struct V {
        float rgb[3];
        float p[3];
    };
    std::vector<V> vertices;
    std::vector<int> first, count;
    std::srand(7);
    auto wobble = [] { return (std::rand() % 1000) / 1000.0f - 0.5f; };
    for (int k = 0; k < c.strips; ++k) {
        first.push_back(int(vertices.size()));
        for (int i = 0; i <= c.quads; ++i)
            for (int side = 0; side < 2; ++side) {
                V v;
                for (float &channel : v.rgb)
                    channel = (std::rand() % 256) / 255.0f;
                v.p[0] = 20.3f + c.quadSize * (i + 0.4f * wobble());
                v.p[1] = 30.7f + c.quadSize * (k + side + 0.4f * wobble());
                v.p[2] = -0.5f * std::sin(0.7f * i + k) - 0.1f * side;
                vertices.push_back(v);
            }
        count.push_back(2 * (c.quads + 1));
    }
    auto frame = [&](const std::function<void()> &draw) {
        scene.beginFrame(0, 0, 0);
        glDisable(GL_TEXTURE_2D);
        glViewport(0, 0, scene.width(), scene.height());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, scene.width(), 0, scene.height(), -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(V), vertices[0].p);
        glColorPointer(3, GL_FLOAT, sizeof(V), vertices[0].rgb);
        draw();
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        std::vector<unsigned char> pixels(3 * 400 * 400);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 400, 400, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const auto whole = frame([&] {
        for (size_t k = 0; k < first.size(); ++k)
            glDrawArrays(GL_QUAD_STRIP, first[k], count[k]);
    });
    std::vector<WindowPoint> window;
    std::vector<unsigned> kept;
    const auto covering = frame([&] {
        coveringTriangles(vertices[0].p, sizeof(V) / sizeof(float), int(vertices.size()),
                          first.data(), count.data(), int(first.size()), window, kept);
        glDrawElements(GL_TRIANGLES, GLsizei(kept.size()), GL_UNSIGNED_INT, kept.data());
    });
    EXPECT_GT(std::count_if(whole.begin(), whole.end(), [](unsigned char b) { return b != 0; }), 0);
    EXPECT_TRUE(whole == covering) << "the kept triangles draw other pixels";
    const double triangles = 2.0 * c.strips * c.quads;
    EXPECT_LE(kept.size() / 3 / triangles, c.mostKept);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CoveringTrianglesTest,
    ::testing::Values(CoveringCase{"tenthOfAPixel", 0.1f, 30, 40, 0.2},
                      CoveringCase{"halfAPixel", 0.5f, 30, 40, 0.9},
                      CoveringCase{"onePixel", 1.0f, 30, 40, 1.0},
                      CoveringCase{"sevenPixels", 7.0f, 20, 40, 1.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FishDraw, pitchTiltsTheNoseUp)
{
    Fish f = stillFish();
    f.pitch = 30;
    f.targetPitch = 30;
    const FeedbackResult r = feedbackOf([&] { f.draw(3); });
    // The nose tip, 1.92 ahead, rises by 1.92 sin 30 and comes 1.92 (1 - cos 30) nearer
    // (give or take the snout's own height of 0.1).
    EXPECT_NEAR(r.minX, 500 - 166.3, 4.0);
    EXPECT_NEAR(r.yAtMinX, 500 + 96, 6.0);
    EXPECT_LT(r.yAtMaxX, 500); // the tail goes down
}

TEST(FishDraw, drawingLeavesTheFishAsItWas)
{
    varlen::seedRandom(99);
    Fish drawn = calmFish(10, 3, -70, 0);
    drawn.wanderTimer = 150;
    for (int step = 0; step < 60; ++step)
        drawn.advance(5);
    const Fish before = drawn;
    feedbackOf([&] {
        for (int frame = 0; frame < 400; ++frame)
            drawn.draw(5);
    });
    EXPECT_EQ(drawn.x, before.x);
    EXPECT_EQ(drawn.z, before.z);
    EXPECT_EQ(drawn.heading, before.heading);
    EXPECT_EQ(drawn.pitch, before.pitch);
    EXPECT_EQ(drawn.speed, before.speed);
    EXPECT_EQ(drawn.wanderTimer, before.wanderTimer);
    EXPECT_EQ(drawn.restPoseCounter, before.restPoseCounter);
    EXPECT_EQ(drawn.tailWave.phase, before.tailWave.phase);
    EXPECT_EQ(drawn.anim.bodyWave[9], before.anim.bodyWave[9]);
    EXPECT_NE(drawn.x, 10.0f);
}

// ---------------------------------------------------------------- passes on the screen

struct Tank {
    Fish fish[kFishRecords];
    FoodPellet pellets[kPelletSlots];
    int counts[kSpeciesCount] = {};
    GLuint textures[kSpeciesCount] = {};
};

std::unique_ptr<Tank> emptyTank()
{
    ScriptedRandom quiet({0});
    auto tank = std::make_unique<Tank>();
    for (int i = 0; i < kFishRecords; ++i)
        tank->fish[i] = calmFish(-45.0f + 9.0f * static_cast<float>(i % 10), -8.0f + 6.0f * static_cast<float>(i / 10), -70, 0);
    for (FoodPellet &p : tank->pellets)
        p.alive = false;
    return tank;
}

constexpr int kCentreX = kSceneWidth / 2;
constexpr int kCentreY = kSceneHeight / 2;

TEST(PelletPass, drawsLivePelletsRedAndUnlit)
{
    auto &scene = fishScene();
    auto tank = emptyTank();
    FoodPellet &p = tank->pellets[3];
    p.alive = true;
    p.setUp();
    p.baseX = p.baseY = 0;
    p.baseZ = -40;
    p.motion.scale = 6;
    scene.beginFrame(0, 0, 0.5f);
    glEnable(GL_LIGHTING);
    stepPellets(tank->pellets);
    drawPellets(tank->pellets);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 0.0f);
    // A small red fish at the centre of the screen.
    const auto centre = scene.pixel(kCentreX - 4, kCentreY);
    EXPECT_GT(centre[0], 200);
    EXPECT_LT(centre[2], 50);
    EXPECT_EQ(scene.pixel(kCentreX + 200, kCentreY)[2], 128); // background
    EXPECT_EQ(p.worldX, p.motion.x);
    EXPECT_EQ(p.worldZ, -40 + p.motion.z);
}

TEST(PelletPass, anEatenPelletIsNotDrawnAndTheStepFreesItsSlot)
{
    auto &scene = fishScene();
    auto tank = emptyTank();
    FoodPellet &p = tank->pellets[3];
    p.alive = true;
    p.setUp();
    p.baseX = p.baseY = 0;
    p.baseZ = -40;
    p.visible = 0;
    scene.beginFrame(0, 0, 0.5f);
    drawPellets(tank->pellets);
    EXPECT_TRUE(p.alive);
    EXPECT_EQ(scene.pixel(kCentreX - 4, kCentreY)[2], 128);
    stepPellets(tank->pellets);
    EXPECT_FALSE(p.alive);
}

TEST(FishPass, drawsEachLiveFishWithItsSpeciesTexture)
{
    auto &scene = fishScene();
    auto tank = emptyTank();
    tank->counts[7] = 1;
    const unsigned char green[3] = {0, 255, 0}, grey[3] = {90, 90, 90};
    for (int s = 0; s < kSpeciesCount; ++s)
        tank->textures[s] = scene.makeTexture(1, 1, s == 7 ? green : grey);
    tank->fish[0] = calmFish(0, 0, -40, 0);
    stepFish(tank->fish, tank->counts, tank->pellets, kModeFeed);
    const float x = tank->fish[0].x;
    EXPECT_NE(x, 0.0f); // stepped
    scene.beginFrame(0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    drawFishPass(tank->fish, tank->counts, tank->textures);
    const auto centre = scene.pixel(kCentreX, kCentreY);
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(centre[1], 255);
    EXPECT_EQ(tank->fish[0].x, x); // drawn, not stepped
    glDeleteTextures(kSpeciesCount, tank->textures);
}

class FishPicking : public ::testing::Test {
protected:
    void SetUp() override
    {
        fishScene().beginFrame(0, 0, 0);
        tank = emptyTank();
        tank->counts[0] = 2;
        tank->counts[1] = 1;
        tank->fish[0] = calmFish(0, 0, -70, 0);   // under the centre
        tank->fish[1] = calmFish(0.5f, 0, -70, 0); // also under the centre
        tank->fish[2] = calmFish(-30, 10, -70, 0);
    }
    std::unique_ptr<Tank> tank;
    bool pending = true;
};

TEST_F(FishPicking, ofTwoOverlappingFishTheLowerIndexIsZoomed)
{
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeZoomIn, kCentreX, kCentreY, pending), 0);
    EXPECT_FALSE(pending);
    EXPECT_EQ(tank->fish[0].scale, 8.0f);
    EXPECT_EQ(tank->fish[1].scale, 6.0f);
}

TEST_F(FishPicking, theFirstFishUnderThePointerWinsInIndexOrder)
{
    tank->fish[0] = calmFish(30, -8, -70, 0);
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeZoomOut, kCentreX, kCentreY, pending), 1);
    EXPECT_EQ(tank->fish[1].scale, 4.0f);
    EXPECT_EQ(tank->fish[0].scale, 6.0f);
}

TEST_F(FishPicking, aTouchedFishDartsOff)
{
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeTouch, kCentreX, kCentreY, pending), 0);
    EXPECT_EQ(tank->fish[0].speed, 0.4f);
    EXPECT_EQ(tank->fish[0].targetHeading, -90.0f);
}

TEST_F(FishPicking, aClickOnNoFishLeavesEveryFishAsItWas)
{
    const float x0 = tank->fish[0].x, x2 = tank->fish[2].x;
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeTouch, 20, 20, pending), -1);
    EXPECT_FALSE(pending);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tank->fish[i].scale, 6.0f);
        EXPECT_EQ(tank->fish[i].speed, 0.1f);
    }
    EXPECT_EQ(tank->fish[0].x, x0);
    EXPECT_EQ(tank->fish[2].x, x2);
    EXPECT_EQ(tank->fish[3].x, calmFish(-18, -8).x); // not live: untouched
}

TEST_F(FishPicking, picksTheFishWhereTheFrameShowsIt)
{
    // Stepped: fish 0 moved on toward -x, but the frame shows it where the step began,
    // under the centre, and a click there finds it.
    tank->fish[1] = calmFish(-30, -10, -70, 0);
    for (int i = 0; i < 3; ++i)
        tank->fish[i].advance(0);
    tank->fish[0].x -= 8; // as if it had swum far on since: clear of the centre
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeZoomIn, kCentreX, kCentreY, pending), 0);
}

TEST_F(FishPicking, withoutAPendingPressOrInFeedModeNothingHappens)
{
    bool none = false;
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeZoomIn, kCentreX, kCentreY, none), -1);
    EXPECT_EQ(runFishPicking(tank->fish, tank->counts, kModeFeed, kCentreX, kCentreY, pending), -1);
    EXPECT_TRUE(pending);
    EXPECT_EQ(tank->fish[0].scale, 6.0f);
    EXPECT_EQ(tank->fish[0].x, 0.0f);
}

TEST_F(FishPicking, noLiveFishConsumesThePressAndPicksNothing)
{
    int none[kSpeciesCount] = {};
    EXPECT_EQ(runFishPicking(tank->fish, none, kModeZoomIn, kCentreX, kCentreY, pending), -1);
    EXPECT_FALSE(pending);
    EXPECT_EQ(tank->fish[0].x, 0.0f);
}

class FeedPickingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fishScene().beginFrame(0, 0, 0);
        tank = emptyTank();
        layOutPickRails(railsX, railsY, -54, 21, -21);
    }
    std::unique_ptr<Tank> tank;
    PickRail railsX[kRailsX], railsY[kRailsY];
    FeedState state;
};

TEST_F(FeedPickingTest, theFirstRailUnderThePointerIsPicked)
{
    // At the centre the pick region spans about +-0.44 units on the food plane.
    EXPECT_NEAR(pickComb(railsX, kRailsX, true, kCentreX, kCentreY), -0.534654f, 1e-4); // rail 54
    EXPECT_NEAR(pickComb(railsY, kRailsY, false, kCentreX, kCentreY), -0.84f, 1e-4);    // rail 24
    EXPECT_EQ(pickComb(railsY, 3, false, kCentreX, kCentreY), 0.0f);                    // none: 0
}

TEST_F(FeedPickingTest, aFeedClickDropsFoodUnderThePointerInTheNextFrame)
{
    tank->pellets[10].alive = false;
    bool feedClick = true;
    ScriptedRandom random({0});
    sweepCombs(state, railsX, railsY, -54, -21); // the step before the frame
    runFeedPicking(state, railsX, railsY, -54, 54, -21, 21, kModeFeed, kCentreX, kCentreY, feedClick, tank->pellets);
    // The combs swept half a unit first: x rail 55 at -0.0446, y rail 24 at -0.34.
    EXPECT_FALSE(feedClick);
    const FoodPellet &p = tank->pellets[0];
    EXPECT_TRUE(p.alive);
    EXPECT_NEAR(p.baseX, -0.044555f, 1e-4);
    EXPECT_NEAR(p.baseY, -2.34f, 1e-4);
    EXPECT_EQ(p.baseZ, -70.0f);
    EXPECT_FALSE(tank->pellets[1].alive);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[3], 0.0f);
}

TEST_F(FeedPickingTest, withEverySlotTakenAClickDropsNothing)
{
    for (FoodPellet &p : tank->pellets)
        p.alive = true;
    bool feedClick = true;
    runFeedPicking(state, railsX, railsY, -54, 54, -21, 21, kModeFeed, kCentreX, kCentreY, feedClick, tank->pellets);
    EXPECT_FALSE(feedClick);
    EXPECT_EQ(tank->pellets[0].baseZ, -70.0f);
}

TEST_F(FeedPickingTest, outsideFeedModeTheCombsStayStill)
{
    bool feedClick = true;
    runFeedPicking(state, railsX, railsY, -54, 54, -21, 21, kModeTouch, kCentreX, kCentreY, feedClick, tank->pellets);
    EXPECT_TRUE(feedClick);
    EXPECT_EQ(railsX[0].x, -54.0f);
}

} // namespace
