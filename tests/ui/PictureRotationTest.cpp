#include "PictureRotation.h"

#include "Random.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Texture names of three pictures P1, P2, P3.
constexpr uint32_t P1 = 11, P2 = 12, P3 = 13;

PictureRotation threePictures(PlayMode mode)
{
    PictureRotation r;
    r.addPicture("/p/one.png", P1);
    r.addPicture("/p/two.png", P2);
    r.addPicture("/p/three.png", P3);
    r.setPlayMode(mode);
    return r;
}

std::string states(const PictureRotation &r)
{
    std::string s;
    for (const auto &row : r.rows())
        s += row.shown ? "ON " : "OFF ";
    return s;
}

class ScriptedRandom {
public:
    explicit ScriptedRandom(std::vector<int> values)
    {
        varlen::setRandomSource([values, i = size_t(0)]() mutable { return values[i++ % values.size()]; });
    }
    ~ScriptedRandom() { varlen::setRandomSource({}); }
};

} // namespace

// ---- switching times -------------------------------------------------------------

struct RotationIntervalCase {
    int seconds;
    std::vector<int> switchTicks;  // 1-based tick numbers, within the first 60 ticks
};
void PrintTo(const RotationIntervalCase &c, std::ostream *out) { *out << c.seconds << " s"; }

class PictureRotationInterval : public ::testing::TestWithParam<RotationIntervalCase> {};

TEST_P(PictureRotationInterval, changesAtNextTickThenEveryInterval)
{
    const RotationIntervalCase &c = GetParam();
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    std::vector<int> seen;
    for (int tick = 1; tick <= 60; ++tick) {
        r.onRotationTick(true, c.seconds);
        if (r.ticksSinceSwitch() == 0)
            seen.push_back(tick);
    }
    EXPECT_EQ(seen, c.switchTicks);
}

INSTANTIATE_TEST_SUITE_P(Intervals, PictureRotationInterval,
    ::testing::Values(
        RotationIntervalCase{5, {1, 26, 51}},                  // 25 ticks of 200 ms = 5 s
        RotationIntervalCase{12, {1}},                         // 60 ticks reach 12 s only at tick 61
        RotationIntervalCase{1, {1, 6, 11, 16, 21, 26, 31, 36, 41, 46, 51, 56}}),
    [](const auto &info) { return "seconds" + std::to_string(info.param.seconds); });

TEST(PictureRotation, hugeIntervalNeverOverflowsIntoASwitch)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    r.onRotationTick(true, 2147483647);
    for (int tick = 0; tick < 1000; ++tick)
        r.onRotationTick(true, 2147483647);
    EXPECT_EQ(r.currentTexture(), int32_t(P2));
    EXPECT_EQ(r.ticksSinceSwitch(), 1000);
}

// ---- choice of the next picture, by mode -------------------------------------------

struct RotationModeCase {
    const char *name;
    PlayMode mode;
    std::vector<int> randomValues;    // scripted draws (Random only)
    std::vector<int32_t> expected;    // pictures after four switches, starting from none
};

void PrintTo(const RotationModeCase &c, std::ostream *out) { *out << c.name; }

class PictureRotationModes : public ::testing::TestWithParam<RotationModeCase> {};

TEST_P(PictureRotationModes, choosesNextPictureByMode)
{
    const RotationModeCase &c = GetParam();
    ScriptedRandom script(c.randomValues.empty() ? std::vector<int>{0} : c.randomValues);
    PictureRotation r = threePictures(c.mode);
    r.startRotation();
    std::vector<int32_t> shown;
    for (int i = 0; i < 4; ++i) {
        r.onRotationTick(true, 0);
        shown.push_back(r.currentTexture());
    }
    EXPECT_EQ(shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, PictureRotationModes,
    ::testing::Values(
        RotationModeCase{"RepeatOne", PlayMode::RepeatOne, {}, {P1, P1, P1, P1}},
        // from "no picture" the search position is 3, so slot (3 + 1) % 3 = 1 comes first
        RotationModeCase{"RepeatAll", PlayMode::RepeatAll, {}, {P2, P3, P1, P2}},
        // 4 % 3 = 1, 0 % 3 = 0, 32767 % 3 = 1, 5 % 3 = 2
        RotationModeCase{"Random", PlayMode::Random, {4, 0, 32767, 5}, {P2, P1, P2, P3}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PictureRotation, repeatAllFromFirstPictureGoesSecondThirdFirst)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    r.pickSelectedImage(0);
    ASSERT_EQ(r.currentTexture(), int32_t(P1));
    std::vector<int32_t> shown;
    for (int i = 0; i < 4; ++i) {
        r.onRotationTick(true, 0);
        shown.push_back(r.currentTexture());
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{P2, P3, P1, P2}));
    EXPECT_EQ(states(r), "OFF ON OFF ");
}

TEST(PictureRotation, repeatAllWithCurrentMissingPicksSlotOne)
{
    // Current -1: the first row was removed while the rotation was off.
    PictureRotation r;
    r.addPicture("/p/zero.png", 10);
    r.addPicture("/p/one.png", P1);
    r.addPicture("/p/two.png", P2);
    r.addPicture("/p/three.png", P3);
    r.removeRow(0);
    ASSERT_EQ(r.currentTexture(), -1);
    r.setPlayMode(PlayMode::RepeatAll);
    r.startRotation();
    r.onRotationTick(true, 5);
    EXPECT_EQ(r.currentTexture(), int32_t(P2));
}

TEST(PictureRotation, repeatOneAfterNoPictureMarkerShowsFirstRow)
{
    // Own pictures on with an empty list leave the marker -1; the first picture added
    // afterwards must appear, not the marker for good.
    PictureRotation r;
    r.startRotation();
    r.onRotationTick(true, 5);
    ASSERT_EQ(r.currentTexture(), -1);
    r.addPicture("/p/one.png", P1);
    r.startRotation();
    r.onRotationTick(true, 5);
    EXPECT_EQ(r.currentTexture(), int32_t(P1));
    EXPECT_EQ(states(r), "ON ");
}

// ---- own pictures on and off ---------------------------------------------------------

TEST(PictureRotation, emptyListGivesNoPictureMarkerAndUntexturedSurface)
{
    PictureRotation r;
    r.startRotation();
    r.onRotationTick(true, 5);
    EXPECT_EQ(r.currentTexture(), -1);
    EXPECT_TRUE(ownImageOn);
    EXPECT_EQ(r.surfaceTexture(77), 0u);
}

TEST(PictureRotation, uncheckingReturnsBuiltInPictureAtNextTick)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    r.onRotationTick(true, 5);
    ASSERT_EQ(r.surfaceTexture(77), P2);
    r.stopRotation();
    EXPECT_EQ(r.surfaceTexture(77), P2);  // until the tick copies the box
    r.onRotationTick(false, 5);
    EXPECT_FALSE(ownImageOn);
    EXPECT_EQ(r.surfaceTexture(77), 77u);
    EXPECT_EQ(r.currentTexture(), int32_t(P2));  // kept for the next time
    EXPECT_EQ(states(r), "OFF OFF OFF ");
}

// ---- double-click ---------------------------------------------------------------------

TEST(PictureRotation, doubleClickShowsPictureAtOnceAndKeepsCount)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    for (int i = 0; i < 8; ++i)
        r.onRotationTick(true, 5);
    ASSERT_EQ(r.ticksSinceSwitch(), 7);
    r.pickSelectedImage(2);
    EXPECT_EQ(r.currentTexture(), int32_t(P3));
    EXPECT_EQ(states(r), "OFF OFF ON ");
    EXPECT_EQ(r.ticksSinceSwitch(), 7);
}

TEST(PictureRotation, doubleClickWithRotationOffStoresNoPictureMarker)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.pickSelectedImage(1);
    EXPECT_EQ(r.currentTexture(), -1);
    EXPECT_EQ(states(r), "OFF OFF OFF ");
}

// ---- list edits -------------------------------------------------------------------

TEST(PictureRotation, removingMiddleRowShiftsSlotsAndShowsFirst)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    r.pickSelectedImage(2);
    r.removeRow(1);
    EXPECT_EQ(r.imageCount(), 2);
    EXPECT_EQ(r.imageTexture(0), P1);
    EXPECT_EQ(r.imageTexture(1), P3);
    EXPECT_EQ(r.imageTexture(2), 0u);
    EXPECT_EQ(r.rows()[1].path, "/p/three.png");
    EXPECT_EQ(r.currentTexture(), int32_t(P1));
    EXPECT_EQ(states(r), "ON OFF ");
}

TEST(PictureRotation, removeWithoutSelectionStillShowsFirst)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.startRotation();
    r.pickSelectedImage(2);
    r.removeRow(-1);
    EXPECT_EQ(r.imageCount(), 3);
    EXPECT_EQ(r.currentTexture(), int32_t(P1));
}

TEST(PictureRotation, removingWhileStoppedLeavesNoPictureMarker)
{
    PictureRotation r = threePictures(PlayMode::RepeatAll);
    r.removeRow(0);
    EXPECT_EQ(r.currentTexture(), -1);
    EXPECT_EQ(states(r), "OFF OFF ");
}
