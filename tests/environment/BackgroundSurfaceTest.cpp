#include "BackgroundSurface.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The tank at 1680 x 1050: columns at -54, -32.4, -10.8, 10.8, 32.4, 54.
constexpr float kXMin = -54;
constexpr float kXMax = 54;
constexpr double kColumnX[6] = {-54, -32.4, -10.8, 10.8, 32.4, 54};
constexpr double kRowY[6] = {39, 23.6, 8.2, -7.2, -22.6, -38};

// A surface holding offset s, rebuilt without moving the sway ("BACKGROUND" 1).
BackgroundSurface surfaceAt(float s)
{
    BackgroundSurface surface;
    surface.swayOffset = s;
    surface.updateControlGrid(kXMin, kXMax, 1);
    return surface;
}

} // namespace

TEST(BackgroundSurface, swayTurnsAtUpdates125And313ThenEvery376)
{
    BackgroundSurface surface;
    int turns[4] = {};
    int found = 0;
    bool rising = surface.swayRising;
    // Update 1 is the set-up call.
    for (int update = 1; update <= 1200 && found < 4; ++update) {
        surface.updateControlGrid(kXMin, kXMax, 0);
        if (surface.swayRising != rising) {
            rising = surface.swayRising;
            turns[found++] = update;
            if (found == 1) {
                EXPECT_GT(surface.swayOffset, 1.0f);
                EXPECT_LT(surface.swayOffset, 1.0f + 0.008f);
            }
            if (found == 2) {
                EXPECT_LT(surface.swayOffset, -0.5f);
                EXPECT_GT(surface.swayOffset, -0.5f - 0.008f);
            }
        }
    }
    ASSERT_EQ(found, 4);
    EXPECT_EQ(turns[0], 125);
    EXPECT_EQ(turns[1], 313);
    EXPECT_EQ(turns[2], 125 + 376);
    EXPECT_EQ(turns[3], 313 + 376);
}

class SwaySetting : public ::testing::TestWithParam<std::pair<int, bool>> {};

TEST_P(SwaySetting, swayAdvancesOnlyForBackground0And2)
{
    const auto [background, advances] = GetParam();
    BackgroundSurface surface;
    surface.swayOffset = 0.5f;
    surface.updateControlGrid(kXMin, kXMax, background);
    EXPECT_FLOAT_EQ(surface.swayOffset, advances ? 0.508f : 0.5f);
    // The grid is rebuilt either way.
    EXPECT_DOUBLE_EQ(surface.controlGrid[5][0].x, -54.0);
    EXPECT_EQ(surface.subdivisions, 2);
}

INSTANTIATE_TEST_SUITE_P(BackgroundSurface, SwaySetting,
                         ::testing::Values(std::pair{0, true}, std::pair{1, false},
                                           std::pair{2, true}, std::pair{3, false},
                                           std::pair{-1, false}));

TEST(BackgroundSurface, gridAtOffsetZeroIsFlatAtDepth90)
{
    const BackgroundSurface surface = surfaceAt(0.0f);
    for (int r = 0; r < 6; ++r)
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(testing::Message() << "row " << r << " column " << k);
            EXPECT_NEAR(surface.controlGrid[r][k].x, kColumnX[k], 1e-9);
            EXPECT_NEAR(surface.controlGrid[r][k].y, kRowY[r], 1e-5);
            EXPECT_DOUBLE_EQ(surface.controlGrid[r][k].z, -90.0);
        }
}

TEST(BackgroundSurface, upperRowsMoveWithTheSway)
{
    const BackgroundSurface surface = surfaceAt(0.5f);
    for (int r = 0; r < 2; ++r) {
        SCOPED_TRACE(r);
        // Top-left point: (+s, +s) in x and z; second point: (+s, -s).
        EXPECT_NEAR(surface.controlGrid[r][0].x, -53.5, 1e-9);
        EXPECT_DOUBLE_EQ(surface.controlGrid[r][0].z, -89.5);
        EXPECT_NEAR(surface.controlGrid[r][1].x, -31.9, 1e-9);
        EXPECT_DOUBLE_EQ(surface.controlGrid[r][1].z, -90.5);
        EXPECT_DOUBLE_EQ(surface.controlGrid[r][4].z, -89.5);
        EXPECT_DOUBLE_EQ(surface.controlGrid[r][5].z, -90.5);
    }
    // Rows 2 to 5 stay put.
    EXPECT_NEAR(surface.controlGrid[2][0].x, -54.0, 1e-9);
    EXPECT_DOUBLE_EQ(surface.controlGrid[2][0].z, -90.0);
    EXPECT_DOUBLE_EQ(surface.controlGrid[5][1].z, -90.0);
}

TEST(BackgroundSurface, columnsFollowTheTankExtents)
{
    BackgroundSurface surface;
    surface.updateControlGrid(-49, 49, 1);
    EXPECT_NEAR(surface.controlGrid[3][0].x, -49.0, 1e-9);
    EXPECT_NEAR(surface.controlGrid[3][1].x, -29.4, 1e-9);
    EXPECT_NEAR(surface.controlGrid[3][5].x, 49.0, 1e-9);
}

TEST(BezierPoint, parameterOneIsFirstPointAndZeroIsLast)
{
    const SurfacePoint q[6] = {{1, 2, 3}, {7, 0, 0}, {0, 7, 0}, {0, 0, 7}, {9, 9, 9}, {4, 5, 6}};
    const SurfacePoint first = bezierPoint(q, 1.0);
    const SurfacePoint last = bezierPoint(q, 0.0);
    EXPECT_DOUBLE_EQ(first.x, 1);
    EXPECT_DOUBLE_EQ(first.y, 2);
    EXPECT_DOUBLE_EQ(first.z, 3);
    EXPECT_DOUBLE_EQ(last.x, 4);
    EXPECT_DOUBLE_EQ(last.y, 5);
    EXPECT_DOUBLE_EQ(last.z, 6);
}

TEST(BezierPoint, weightsAtHalfAreBinomialOver32)
{
    // At t = 0.5 the weights are 1, 5, 10, 10, 5, 1 over 32.
    const SurfacePoint q[6] = {{32, 0, 0}, {0, 32, 0}, {0, 0, 32}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const SurfacePoint p = bezierPoint(q, 0.5);
    EXPECT_DOUBLE_EQ(p.x, 1);
    EXPECT_DOUBLE_EQ(p.y, 5);
    EXPECT_DOUBLE_EQ(p.z, 10);
}

TEST(BackgroundSurface, stripsAreThreeOfSixVerticesWithSEqualToU)
{
    const BackgroundSurface surface = surfaceAt(0.0f);
    const auto strips = surface.strips();
    ASSERT_EQ(strips.size(), 3u);
    const float expectedS[3][2] = {{-0.5f, 0.0f}, {0.0f, 0.5f}, {0.5f, 1.0f}};
    const float expectedT[6] = {0, 0, 0.5f, 0.5f, 1, 1};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(strips[i].size(), 6u);
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(testing::Message() << "strip " << i << " vertex " << k);
            EXPECT_FLOAT_EQ(strips[i][k].s, expectedS[i][k % 2]);
            EXPECT_FLOAT_EQ(strips[i][k].t, expectedT[k]);
        }
    }
    // Texture (0, 0) lies at the bottom right corner, (1, 1) at the top left.
    const SurfacePoint bottomRight = strips[1][0].position;
    EXPECT_NEAR(bottomRight.x, 54, 1e-9);
    EXPECT_NEAR(bottomRight.y, -38, 1e-9);
    const SurfacePoint topLeft = strips[2][5].position;
    EXPECT_NEAR(topLeft.x, -54, 1e-9);
    EXPECT_NEAR(topLeft.y, 39, 1e-9);
    // Column u = 0.5 sits at x = 0.
    EXPECT_NEAR(strips[1][1].position.x, 0, 1e-9);
}

TEST(BackgroundSurface, firstStripHasZeroArea)
{
    const BackgroundSurface surface = surfaceAt(0.7f);
    const auto strips = surface.strips();
    ASSERT_FALSE(strips.empty());
    for (int k = 0; k < 6; k += 2) {
        EXPECT_DOUBLE_EQ(strips[0][k].position.x, strips[0][k + 1].position.x);
        EXPECT_DOUBLE_EQ(strips[0][k].position.y, strips[0][k + 1].position.y);
        EXPECT_DOUBLE_EQ(strips[0][k].position.z, strips[0][k + 1].position.z);
    }
    // Each later strip starts where the previous one ended.
    for (int k = 0; k < 6; k += 2)
        EXPECT_DOUBLE_EQ(strips[2][k].position.x, strips[1][k + 1].position.x);
}

struct ShownCase {
    int showTerra;
    int background;
    bool shown;
};

class SurfaceShown : public ::testing::TestWithParam<ShownCase> {};

TEST_P(SurfaceShown, onlyWithBackground0AndShowTerra)
{
    AquariumSettings s;
    s.showTerra = GetParam().showTerra;
    s.background = GetParam().background;
    EXPECT_EQ(backgroundSurfaceShown(s), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(BackgroundSurface, SurfaceShown,
                         ::testing::Values(ShownCase{1, 0, true}, ShownCase{5, 0, true},
                                           ShownCase{0, 0, false}, ShownCase{1, 1, false},
                                           ShownCase{1, 2, false}, ShownCase{0, 2, false}));

TEST(SurfacePictureTexture, ownPictureOnlyWhileOwnPicturesAreOn)
{
    EXPECT_EQ(surfacePictureTexture(false, 7, 3u), 3u);
    EXPECT_EQ(surfacePictureTexture(true, 7, 3u), 7u);
    EXPECT_EQ(surfacePictureTexture(true, 0, 3u), 0u);
    EXPECT_EQ(surfacePictureTexture(true, -1, 3u), 0u);
}

TEST(BackgroundSurface, outlineRunsRoundTheDrawnMeshCornersFirstOfEachSide)
{
    BackgroundSurface surface = surfaceAt(0.5f);
    const std::vector<SurfacePoint> loop = surface.outline();
    ASSERT_EQ(loop.size(), 8u);
    // The corners of the patch: (u, v) = (0, 0), (1, 0), (1, 1), (0, 1); the top row sways
    // sideways, its even column 0 forward and its odd column 5 back.
    const double corners[4][3] = {{54, -38, -90}, {-54, -38, -90}, {-54 + 0.5, 39, -90 + 0.5},
                                  {54 + 0.5, 39, -90 - 0.5}};
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_NEAR(loop[2 * c].x, corners[c][0], 1e-4);
        EXPECT_NEAR(loop[2 * c].y, corners[c][1], 1e-4);
        EXPECT_NEAR(loop[2 * c].z, corners[c][2], 1e-4);
    }
    // Every point is a vertex the strips draw.
    for (const SurfacePoint &p : loop) {
        bool drawn = false;
        for (const auto &strip : surface.strips())
            for (const SurfaceVertex &v : strip)
                drawn = drawn || (v.position.x == p.x && v.position.y == p.y && v.position.z == p.z);
        EXPECT_TRUE(drawn) << p.x << ", " << p.y;
    }
}

struct LoopCase {
    const char *what;
    std::vector<WindowPoint> loop;
    bool encloses; // the rectangle 0..100 x 0..50, margin 1
};

class LoopAroundRect : public ::testing::TestWithParam<LoopCase> {};

TEST_P(LoopAroundRect, enclosesOnlyWhenEveryEdgeStaysOutsideAndTheLoopGoesRound)
{
    EXPECT_EQ(loopEnclosesRect(GetParam().loop, 100, 50, 1), GetParam().encloses) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    BackgroundSurface, LoopAroundRect,
    ::testing::Values(
        LoopCase{"square round it", {{-5, -5}, {105, -5}, {105, 55}, {-5, 55}}, true},
        LoopCase{"the other way round", {{-5, -5}, {-5, 55}, {105, 55}, {105, -5}}, true},
        LoopCase{"bent sides, eight points", {{-5, -9}, {50, -2}, {110, -5}, {102, 25}, {104, 60}, {50, 52}, {-3, 51}, {-8, 25}}, true},
        LoopCase{"left edge within the margin", {{-0.5, -5}, {105, -5}, {105, 55}, {-0.5, 55}}, false},
        LoopCase{"one corner cut off", {{20, -5}, {105, -5}, {105, 55}, {-5, 55}, {-5, 20}}, false},
        LoopCase{"beside it", {{200, -5}, {300, -5}, {300, 55}, {200, 55}}, false},
        LoopCase{"empty", {}, false}));
