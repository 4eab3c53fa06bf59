#include "EnvironmentPasses.h"
#include "GlScene.h"
#include "ScriptedRandom.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

namespace {

constexpr float kTankXMin = -54;
constexpr float kTankXMax = 54;

// Window points in the four quarters of the screen, away from the middle lines.
constexpr int kLeft = 420, kRight = 1260, kBottom = 260, kTop = 790;

struct Rgb {
    int r, g, b;
};

void expectColour(std::array<int, 3> got, Rgb want, const char *where)
{
    SCOPED_TRACE(where);
    EXPECT_NEAR(got[0], want.r, 2);
    EXPECT_NEAR(got[1], want.g, 2);
    EXPECT_NEAR(got[2], want.b, 2);
}

// 2 x 2 picture, rows bottom first: bottom-left red, bottom-right green, top-left blue,
// top-right white.
GLuint quarterPicture()
{
    static const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    return GlScene::instance().makeTexture(2, 2, rgb);
}

// 1 x 2 sprite: t < 0.5 black, t >= 0.5 (128, 64, 0).
GLuint halfBlackSprite()
{
    static const unsigned char rgb[] = {0, 0, 0, 128, 64, 0};
    return GlScene::instance().makeTexture(1, 2, rgb);
}

} // namespace

TEST(BackgroundSurfaceGl, pictureLeftEdgeAtTankRightAndBottomRowAtBottom)
{
    GlScene &scene = GlScene::instance();
    scene.beginFrame(0, 0, 0);
    const GLuint picture = quarterPicture();
    BackgroundSurface surface;
    glBindTexture(GL_TEXTURE_2D, picture);
    surface.updateControlGrid(kTankXMin, kTankXMax, 0);
    surface.drawSurface();
    // The picture appears mirrored left to right and upright.
    expectColour(scene.pixel(kRight, kBottom), {255, 0, 0}, "bottom right: picture bottom-left");
    expectColour(scene.pixel(kLeft, kBottom), {0, 255, 0}, "bottom left: picture bottom-right");
    expectColour(scene.pixel(kRight, kTop), {0, 0, 255}, "top right: picture top-left");
    expectColour(scene.pixel(kLeft, kTop), {255, 255, 255}, "top left: picture top-right");
    glDeleteTextures(1, &picture);
}

struct PassCase {
    int showTerra;
    int background;
    bool drawn;
};

class BackgroundPass : public ::testing::TestWithParam<PassCase> {};

TEST_P(BackgroundPass, stepsAndDrawsOnlyWhenShown)
{
    GlScene &scene = GlScene::instance();
    scene.beginFrame(0, 0, 0);
    const GLuint picture = quarterPicture();
    AquariumSettings current;
    current.showTerra = GetParam().showTerra;
    current.background = GetParam().background;
    BackgroundSurface surface;
    surface.swayOffset = 0.5f;
    GLint stackBefore = 0, stackAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackBefore);

    stepBackgroundSurface(surface, kTankXMin, kTankXMax, current);
    const float stepped = surface.swayOffset;
    drawBackgroundPass(surface, picture, kTankXMin, kTankXMax, current);
    EXPECT_EQ(surface.swayOffset, stepped) << "drawing does not move the sway";

    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackAfter);
    EXPECT_EQ(stackAfter, stackBefore);
    if (GetParam().drawn) {
        EXPECT_FLOAT_EQ(surface.swayOffset, 0.508f);
        expectColour(scene.pixel(kRight, kBottom), {255, 0, 0}, "drawn");
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(GLuint(bound), picture);
    } else {
        EXPECT_FLOAT_EQ(surface.swayOffset, 0.5f);
        expectColour(scene.pixel(kRight, kBottom), {0, 0, 0}, "not drawn");
    }
    glDeleteTextures(1, &picture);
}

INSTANTIATE_TEST_SUITE_P(BackgroundSurfaceGl, BackgroundPass,
                         ::testing::Values(PassCase{1, 0, true}, PassCase{0, 0, false},
                                           PassCase{1, 1, false}, PassCase{1, 2, false}));

struct CoverCase {
    const char *what;
    float xMin, xMax; // tank extents
    int background;   // the "BACKGROUND" setting
    bool covers;
};

void PrintTo(const CoverCase &c, std::ostream *out) { *out << c.what; }

class SurfaceCover : public ::testing::TestWithParam<CoverCase> {};

// The answer is checked against the pixels: over a magenta frame (a colour the picture
// does not have), a covering surface leaves no magenta pixel at any edge of the screen,
// and one that does not cover leaves some.
TEST_P(SurfaceCover, coversTheViewportExactlyWhenItSaysSo)
{
    const CoverCase &c = GetParam();
    GlScene &scene = GlScene::instance();
    scene.beginFrame(1, 0, 1);
    AquariumSettings current;
    current.background = c.background;
    BackgroundSurface surface;
    surface.swayOffset = 0.9f; // the upper rows near the end of their swing
    EXPECT_EQ(surfaceWillCoverViewport(surface, c.xMin, c.xMax, current), c.covers) << c.what;
    EXPECT_FLOAT_EQ(surface.swayOffset, 0.9f) << "asking does not move the sway";

    const GLuint picture = quarterPicture();
    glBindTexture(GL_TEXTURE_2D, picture);
    surface.layOutControlGrid(c.xMin, c.xMax);
    surface.drawSurface();
    int uncovered = 0;
    const int w = scene.width(), h = scene.height();
    const std::array<int, 3> magenta{255, 0, 255};
    for (int x = 0; x < w; ++x)
        for (int y : {0, h - 1})
            uncovered += scene.pixel(x, y) == magenta ? 1 : 0;
    for (int y = 0; y < h; ++y)
        for (int x : {0, w - 1})
            uncovered += scene.pixel(x, y) == magenta ? 1 : 0;
    if (c.covers) {
        EXPECT_EQ(uncovered, 0) << c.what;
    } else if (c.background == 0) {
        EXPECT_GT(uncovered, 0) << c.what;
    }
    glDeleteTextures(1, &picture);
}

INSTANTIATE_TEST_SUITE_P(
    BackgroundSurfaceGl, SurfaceCover,
    ::testing::Values(CoverCase{"the tank of the screen", kTankXMin, kTankXMax, 0, true},
                      CoverCase{"a narrower tank", -45, 45, 0, false},
                      CoverCase{"a tank off to one side", -20, 100, 0, false},
                      CoverCase{"surface not shown", kTankXMin, kTankXMax, 1, false}));

TEST(BackgroundSurfaceGl, passLeavesThePicturesFilterAsItFoundIt)
{
    GlScene &scene = GlScene::instance();
    scene.beginFrame(0, 0, 0);
    static const unsigned char rgb[4 * 4 * 3] = {};
    GLuint picture = 0;
    glGenTextures(1, &picture);
    glBindTexture(GL_TEXTURE_2D, picture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexImage2D(GL_TEXTURE_2D, 1, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexImage2D(GL_TEXTURE_2D, 2, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    AquariumSettings current;
    BackgroundSurface surface;
    drawBackgroundPass(surface, picture, kTankXMin, kTankXMax, current);
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, picture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR_MIPMAP_NEAREST);
    glDeleteTextures(1, &picture);
}

namespace {

// Three emitters whose particle frames sit at the world origin (the pass adds
// (5, -25, -60) to each origin). Only emitter 0 holds a particle, a square of half side
// 5 at z = -90, in the middle of the screen; the others hold none.
struct OneBubble {
    ScriptedRandom random{{}};  // every draw 0: no jitter
    BubbleEmitter emitters[3];
    EmitterOrigin origins[3] = {{-5, 25, 60}, {-5, 25, 60}, {-5, 25, 60}};

    explicit OneBubble(GLuint sprite)
    {
        emitters[0].create(1);
        emitters[0].texture = sprite;
        emitters[0].particles[0] = {0, 0, -90, 0, 0, 0, 0, 0, 0, 200, 0, 5};
    }
};

} // namespace

TEST(BubblePassGl, addsLightOnlyWhereTheSpriteIsLit)
{
    GlScene &scene = GlScene::instance();
    scene.beginFrame(0.25f, 0.25f, 0.25f);
    const GLuint sprite = halfBlackSprite();
    OneBubble bubble(sprite);
    stepBubbles(bubble.emitters, 0);

    drawBubblePass(bubble.emitters, bubble.origins);

    // The square spans x and y -5..5 at distance 80: about 82 pixels each side of the
    // middle (840, 525). Its right half samples the lit texel.
    expectColour(scene.pixel(880, 525), {192, 128, 64}, "lit half: clear + sprite");
    expectColour(scene.pixel(800, 525), {64, 64, 64}, "black half: unchanged");
    expectColour(scene.pixel(1000, 525), {64, 64, 64}, "beside the bubble");
    expectColour(scene.pixel(880, 700), {64, 64, 64}, "above the bubble");
    glDeleteTextures(1, &sprite);
}

TEST(BubblePassGl, drawsInFrontOfNearerSceneWithoutFog)
{
    GlScene &scene = GlScene::instance();
    scene.beginFrame(0, 0, 0);
    // A grey wall at z = -20, nearer than the bubble, written into the depth buffer.
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.25f, 0.25f, 0.25f);
    glBegin(GL_QUADS);
    glVertex3f(-50, -50, -20);
    glVertex3f(50, -50, -20);
    glVertex3f(50, 50, -20);
    glVertex3f(-50, 50, -20);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    // Dense white fog would wash the bubble out if the pass left it on.
    glFogi(GL_FOG_MODE, GL_EXP);
    const GLfloat white[4] = {1, 1, 1, 1};
    glFogfv(GL_FOG_COLOR, white);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glEnable(GL_FOG);
    const GLuint sprite = halfBlackSprite();
    OneBubble bubble(sprite);
    stepBubbles(bubble.emitters, 0);
    GLint stackBefore = 0, stackAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackBefore);

    drawBubblePass(bubble.emitters, bubble.origins);

    expectColour(scene.pixel(880, 525), {192, 128, 64}, "bubble over the wall");
    expectColour(scene.pixel(800, 525), {64, 64, 64}, "black half over the wall");
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackAfter);
    EXPECT_EQ(stackAfter, stackBefore);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
    glDeleteTextures(1, &sprite);
}

class BubblePassCount : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BubblePassCount, theStepDrawsTwoJitterValuesPerShownParticleAndTheDrawNone)
{
    GlScene::instance().beginFrame(0, 0, 0);
    const auto [qipaoNum, expectedDraws] = GetParam();
    BubbleEmitter emitters[3];
    EmitterOrigin origins[3] = {{0, -26, -150}, {0, -26, -250}, {0, -26, -100}};
    ScriptedRandom random({});  // particles at y -1 that neither rise nor fade
    for (BubbleEmitter &e : emitters)
        ASSERT_TRUE(e.create(110));
    const std::size_t afterCreate = random.draws();

    stepBubbles(emitters, qipaoNum);
    drawBubblePass(emitters, origins);

    EXPECT_EQ(random.draws() - afterCreate, std::size_t(expectedDraws));
    EXPECT_EQ(emitters[2].count, expectedDraws / 6);
    EXPECT_EQ(emitters[2].shown.size(), std::size_t(expectedDraws / 6));
}

INSTANTIATE_TEST_SUITE_P(BubblePassGl, BubblePassCount,
                         ::testing::Values(std::pair{100, 60}, std::pair{0, 660},
                                           std::pair{110, 0}, std::pair{-5, 660},
                                           std::pair{200, 0}));
