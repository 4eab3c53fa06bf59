#include "FakePlaylist.h"
#include "MusicGlobals.h"
#include "PlaylistEngine.h"
#include "Random.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kFourRows = {"a.wav", "b.wav", "c.wav", "d.wav"};

const char *modeName(PlayMode mode)
{
    switch (mode) {
    case PlayMode::RepeatOne: return "RepeatOne";
    case PlayMode::RepeatAll: return "RepeatAll";
    case PlayMode::Random: return "Random";
    }
    return "?";
}

const char *stateName(PlayState state)
{
    switch (state) {
    case PlayState::Playing: return "Playing";
    case PlayState::Idle: return "Idle";
    case PlayState::Stopped: return "Stopped";
    }
    return "?";
}

class PlaylistEngineFixture {
public:
    FakeView view;
    FakePlayer player;
    PlaylistEngine engine{view, player};

    PlaylistEngineFixture()
    {
        ownMusicOn = true;
        currentTrackIndex = -1;
        view.rows = kFourRows;
    }
    ~PlaylistEngineFixture() { varlen::setRandomSource(nullptr); }

    // Every random draw returns `value`.
    void scriptRandom(int value)
    {
        varlen::setRandomSource([value] { return value; });
    }

    // Brings the engine into `state`; while Playing, row `current` is the current track.
    void enter(PlayState state, int current)
    {
        if (state == PlayState::Stopped) {
            engine.stopPlaying();
        } else if (state == PlayState::Playing) {
            view.selected = current;
            engine.selectTrack(0, true);
            engine.startPlaying();
        }
        view.selected = -1;
        player.log.clear();
        ASSERT_EQ(engine.playState(), state);
        if (state == PlayState::Playing) {
            ASSERT_EQ(engine.currentIndex(), current);
        }
    }
};

// ---------------------------------------------------------------------------------------
// selectTrack: every cell of the mode x state table. Four rows a..d; random draws are
// scripted, so 4102 picks row 4102 % 4 = 2 and 4101 picks row 1.

struct SelectCase {
    const char *name;
    PlayMode mode;
    PlayState state;
    int current;        // current row before, when Playing
    int selected;       // selected row, -1 none
    bool useSelection;
    int fallback;
    int randomValue;
    int expectedCurrent;
    const char *expectedFile;
};

std::ostream &operator<<(std::ostream &out, const SelectCase &c)
{
    return out << c.name << " (" << modeName(c.mode) << ", " << stateName(c.state) << ")";
}

class SelectTrackTable : public testing::TestWithParam<SelectCase> {};

TEST_P(SelectTrackTable, choosesRowAndLoadsItsFile)
{
    const SelectCase &c = GetParam();
    PlaylistEngineFixture f;
    f.scriptRandom(c.randomValue);
    f.engine.setPlayMode(c.mode);
    f.enter(c.state, c.current);
    f.view.selected = c.selected;

    f.engine.selectTrack(c.fallback, c.useSelection);

    EXPECT_EQ(f.engine.currentIndex(), c.expectedCurrent);
    EXPECT_EQ(f.player.openedFile, c.expectedFile);
    EXPECT_EQ(f.engine.playState(), c.state) << "selectTrack only loads";
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistEngine, SelectTrackTable,
    testing::Values(
        // Playing: a click (useSelection) takes the selected row in every mode.
        SelectCase{"playingRepeatOneClickTakesSelection", PlayMode::RepeatOne, PlayState::Playing, 1, 3, true, 0, 0, 3, "d.wav"},
        SelectCase{"playingRepeatAllClickTakesSelection", PlayMode::RepeatAll, PlayState::Playing, 1, 0, true, 0, 0, 0, "a.wav"},
        SelectCase{"playingRandomClickTakesSelection", PlayMode::Random, PlayState::Playing, 1, 2, true, 0, 4101, 2, "c.wav"},
        // Playing, no click: the mode decides and a selection is ignored.
        SelectCase{"playingRepeatOneKeepsTrack", PlayMode::RepeatOne, PlayState::Playing, 1, -1, false, 0, 0, 1, "b.wav"},
        SelectCase{"playingRepeatOneIgnoresSelection", PlayMode::RepeatOne, PlayState::Playing, 1, 3, false, 2, 0, 1, "b.wav"},
        SelectCase{"playingRepeatAllTakesNextRow", PlayMode::RepeatAll, PlayState::Playing, 1, -1, false, 0, 0, 2, "c.wav"},
        SelectCase{"playingRepeatAllIgnoresSelection", PlayMode::RepeatAll, PlayState::Playing, 1, 0, false, 0, 0, 2, "c.wav"},
        SelectCase{"playingRepeatAllWrapsFromLastRow", PlayMode::RepeatAll, PlayState::Playing, 3, -1, false, 0, 0, 0, "a.wav"},
        SelectCase{"playingRandomDrawsRow", PlayMode::Random, PlayState::Playing, 1, -1, false, 0, 4102, 2, "c.wav"},
        SelectCase{"playingRandomMayDrawSameRow", PlayMode::Random, PlayState::Playing, 1, -1, false, 0, 4101, 1, "b.wav"},
        SelectCase{"playingRandomIgnoresSelection", PlayMode::Random, PlayState::Playing, 1, 3, false, 0, 4102, 2, "c.wav"},
        // Idle: no selection -> the mode's first row; a selection wins with or without click.
        SelectCase{"idleRepeatOneNoSelectionTakesFallback", PlayMode::RepeatOne, PlayState::Idle, -1, -1, false, 0, 0, 0, "a.wav"},
        SelectCase{"idleRepeatOneFallbackTwo", PlayMode::RepeatOne, PlayState::Idle, -1, -1, false, 2, 0, 2, "c.wav"},
        SelectCase{"idleRepeatOneTakesSelection", PlayMode::RepeatOne, PlayState::Idle, -1, 3, false, 0, 0, 3, "d.wav"},
        SelectCase{"idleRepeatOneClickTakesSelection", PlayMode::RepeatOne, PlayState::Idle, -1, 1, true, 0, 0, 1, "b.wav"},
        SelectCase{"idleRepeatAllNoSelectionTakesRowZero", PlayMode::RepeatAll, PlayState::Idle, -1, -1, false, 2, 0, 0, "a.wav"},
        SelectCase{"idleRepeatAllTakesSelection", PlayMode::RepeatAll, PlayState::Idle, -1, 1, false, 0, 0, 1, "b.wav"},
        SelectCase{"idleRepeatAllClickTakesSelection", PlayMode::RepeatAll, PlayState::Idle, -1, 2, true, 0, 0, 2, "c.wav"},
        SelectCase{"idleRandomNoSelectionDrawsRow", PlayMode::Random, PlayState::Idle, -1, -1, false, 0, 4102, 2, "c.wav"},
        SelectCase{"idleRandomTakesSelection", PlayMode::Random, PlayState::Idle, -1, 3, false, 0, 4102, 3, "d.wav"},
        SelectCase{"idleRandomClickTakesSelection", PlayMode::Random, PlayState::Idle, -1, 0, true, 0, 4102, 0, "a.wav"},
        // Stopped behaves as Idle.
        SelectCase{"stoppedRepeatOneNoSelectionTakesFallback", PlayMode::RepeatOne, PlayState::Stopped, -1, -1, false, 0, 0, 0, "a.wav"},
        SelectCase{"stoppedRepeatOneFallbackTwo", PlayMode::RepeatOne, PlayState::Stopped, -1, -1, false, 2, 0, 2, "c.wav"},
        SelectCase{"stoppedRepeatOneTakesSelection", PlayMode::RepeatOne, PlayState::Stopped, -1, 3, false, 0, 0, 3, "d.wav"},
        SelectCase{"stoppedRepeatOneClickTakesSelection", PlayMode::RepeatOne, PlayState::Stopped, -1, 1, true, 0, 0, 1, "b.wav"},
        SelectCase{"stoppedRepeatAllNoSelectionTakesRowZero", PlayMode::RepeatAll, PlayState::Stopped, -1, -1, false, 2, 0, 0, "a.wav"},
        SelectCase{"stoppedRepeatAllTakesSelection", PlayMode::RepeatAll, PlayState::Stopped, -1, 1, false, 0, 0, 1, "b.wav"},
        SelectCase{"stoppedRepeatAllClickTakesSelection", PlayMode::RepeatAll, PlayState::Stopped, -1, 2, true, 0, 0, 2, "c.wav"},
        SelectCase{"stoppedRandomNoSelectionDrawsRow", PlayMode::Random, PlayState::Stopped, -1, -1, false, 0, 4101, 1, "b.wav"},
        SelectCase{"stoppedRandomTakesSelection", PlayMode::Random, PlayState::Stopped, -1, 3, false, 0, 4102, 3, "d.wav"},
        SelectCase{"stoppedRandomClickTakesSelection", PlayMode::Random, PlayState::Stopped, -1, 0, true, 0, 4102, 0, "a.wav"}),
    [](const testing::TestParamInfo<SelectCase> &info) { return std::string(info.param.name); });

TEST(PlaylistEngine, selectTrackLoadsInPlayerOrder)
{
    PlaylistEngineFixture f;
    f.engine.setVolume(640);
    f.player.log.clear();
    f.player.lengthMs = 5200;

    f.engine.selectTrack(0, false);

    const std::vector<std::string> expected = {"stop", "close", "setFileName a.wav", "open", "seek 0", "setVolume 640"};
    EXPECT_EQ(f.player.log, expected);
    EXPECT_EQ(f.view.positionRange, 5200);
    EXPECT_EQ(f.view.positionValue, 0);
}

TEST(PlaylistEngine, selectTrackWithEmptyListTouchesNothing)
{
    PlaylistEngineFixture f;
    f.view.rows.clear();
    f.engine.selectTrack(0, false);
    EXPECT_TRUE(f.player.log.empty());
    EXPECT_EQ(f.engine.currentIndex(), -1);
    EXPECT_EQ(f.view.positionRange, -1);
}

TEST(PlaylistEngine, fallbackOutsideListLoadsNothingAndStops)
{
    PlaylistEngineFixture f;
    f.engine.selectTrack(7, false);
    EXPECT_EQ(f.player.openedFile, "");
    EXPECT_EQ(f.engine.playState(), PlayState::Stopped);
    EXPECT_EQ(f.engine.currentIndex(), -1);
}

// ---------------------------------------------------------------------------------------
// "Play" (also "On/Off" checked and start-up with own music on).

struct PlayCase {
    const char *name;
    PlayMode mode;
    int selected;
    int randomValue;
    const char *expectedFile;
};

std::ostream &operator<<(std::ostream &out, const PlayCase &c) { return out << c.name; }

class PlayTable : public testing::TestWithParam<PlayCase> {};

TEST_P(PlayTable, startsRowByModeAndSelection)
{
    const PlayCase &c = GetParam();
    PlaylistEngineFixture f;
    f.scriptRandom(c.randomValue);
    f.engine.setPlayMode(c.mode);
    f.view.selected = c.selected;

    f.engine.play();

    EXPECT_EQ(f.player.openedFile, c.expectedFile);
    EXPECT_TRUE(f.player.playing);
    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistEngine, PlayTable,
    testing::Values(PlayCase{"repeatOneNoSelectionStartsRowZero", PlayMode::RepeatOne, -1, 0, "a.wav"},
                    PlayCase{"repeatAllNoSelectionStartsRowZero", PlayMode::RepeatAll, -1, 0, "a.wav"},
                    PlayCase{"randomNoSelectionStartsRandomRow", PlayMode::Random, -1, 7, "d.wav"},
                    PlayCase{"repeatOneStartsSelectedRow", PlayMode::RepeatOne, 2, 0, "c.wav"},
                    PlayCase{"repeatAllStartsSelectedRow", PlayMode::RepeatAll, 1, 0, "b.wav"},
                    PlayCase{"randomStartsSelectedRow", PlayMode::Random, 3, 4, "d.wav"}),
    [](const testing::TestParamInfo<PlayCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// The state table's transitions.

class FromState : public testing::TestWithParam<PlayState> {};

TEST_P(FromState, playStartsPlayingFromAnyState)
{
    PlaylistEngineFixture f;
    f.enter(GetParam(), 2);
    f.engine.play();
    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
    EXPECT_TRUE(f.player.playing);
}

TEST_P(FromState, stopButtonEndsStopped)
{
    PlaylistEngineFixture f;
    f.enter(GetParam(), 2);
    f.view.selected = 1;

    f.engine.stopPlaying();

    EXPECT_EQ(f.engine.playState(), PlayState::Stopped);
    EXPECT_EQ(f.engine.currentIndex(), -1);
    EXPECT_EQ(currentTrackIndex, -1);
    EXPECT_EQ(f.view.highlightedRow, -1);
    EXPECT_EQ(f.view.selected, -1);
    EXPECT_TRUE(f.view.buttonsEnabled);
    EXPECT_FALSE(f.player.playing);
    EXPECT_EQ(f.player.log, (std::vector<std::string>{"stop", "seek 0"}));
}

TEST_P(FromState, ownMusicCheckedStartsPlaying)
{
    PlaylistEngineFixture f;
    f.enter(GetParam(), 2);
    f.engine.ownMusicBoxClicked(true);
    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
}

TEST_P(FromState, playWithEmptyListChangesNothing)
{
    PlaylistEngineFixture f;
    f.enter(GetParam(), 2);
    const bool buttons = f.view.buttonsEnabled;
    f.view.rows.clear();

    f.engine.play();

    EXPECT_EQ(f.engine.playState(), GetParam());
    EXPECT_TRUE(f.player.log.empty());
    EXPECT_EQ(f.view.buttonsEnabled, buttons);
}

INSTANTIATE_TEST_SUITE_P(PlaylistEngine, FromState,
                         testing::Values(PlayState::Playing, PlayState::Idle, PlayState::Stopped),
                         [](const testing::TestParamInfo<PlayState> &info) { return std::string(stateName(info.param)); });

TEST(PlaylistEngine, startsIdleWithNoTrack)
{
    PlaylistEngineFixture f;
    EXPECT_EQ(f.engine.playState(), PlayState::Idle);
    EXPECT_EQ(f.engine.playMode(), PlayMode::RepeatOne);
    EXPECT_EQ(f.engine.currentIndex(), -1);
    EXPECT_EQ(f.engine.position(), 0);
    EXPECT_EQ(f.engine.volume(), 1000);
}

TEST(PlaylistEngine, startPlayingHighlightsRowLocksButtonsAndChecksOnOff)
{
    PlaylistEngineFixture f;
    f.view.selected = 2;
    f.engine.selectTrack(0, false);

    f.engine.startPlaying();

    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
    EXPECT_EQ(currentTrackIndex, 2);
    EXPECT_EQ(f.view.highlightedRow, 2) << "the repaint must see the new current row";
    EXPECT_FALSE(f.view.buttonsEnabled);
    EXPECT_TRUE(f.view.ownMusicBox);
    EXPECT_TRUE(f.player.playing);
}

TEST(PlaylistEngine, rowClickWhilePlayingSwitchesToThatRow)
{
    PlaylistEngineFixture f;
    f.enter(PlayState::Playing, 0);
    f.view.selected = 3;

    f.engine.rowClicked();

    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
    EXPECT_EQ(f.engine.currentIndex(), 3);
    EXPECT_EQ(f.player.openedFile, "d.wav");
    EXPECT_TRUE(f.player.playing);
    EXPECT_EQ(currentTrackIndex, 3);
}

TEST(PlaylistEngine, rowClickWhileStoppedLoadsWithoutPlaying)
{
    for (PlayState state : {PlayState::Idle, PlayState::Stopped}) {
        PlaylistEngineFixture f;
        f.enter(state, 0);
        f.view.selected = 1;

        f.engine.rowClicked();

        EXPECT_EQ(f.engine.playState(), state) << stateName(state);
        EXPECT_EQ(f.player.openedFile, "b.wav") << stateName(state);
        EXPECT_FALSE(f.player.playing) << stateName(state);
        EXPECT_EQ(f.engine.currentIndex(), 1) << stateName(state);
    }
}

TEST(PlaylistEngine, rowClickWithoutSelectionDoesNothing)
{
    PlaylistEngineFixture f;
    f.enter(PlayState::Playing, 1);
    f.engine.rowClicked();
    EXPECT_TRUE(f.player.log.empty());
    EXPECT_EQ(f.engine.currentIndex(), 1);
}

TEST(PlaylistEngine, ownMusicUncheckedWhilePlayingStops)
{
    PlaylistEngineFixture f;
    f.enter(PlayState::Playing, 1);
    f.engine.ownMusicBoxClicked(false);
    EXPECT_EQ(f.engine.playState(), PlayState::Stopped);
    EXPECT_FALSE(f.player.playing);
    EXPECT_TRUE(f.view.buttonsEnabled);
}

TEST(PlaylistEngine, ownMusicUncheckedWhileNotPlayingDoesNothing)
{
    for (PlayState state : {PlayState::Idle, PlayState::Stopped}) {
        PlaylistEngineFixture f;
        f.enter(state, 0);
        f.engine.ownMusicBoxClicked(false);
        EXPECT_EQ(f.engine.playState(), state) << stateName(state);
        EXPECT_TRUE(f.player.log.empty()) << stateName(state);
    }
}

TEST(PlaylistEngine, removeWithSelectionReloadsFirstRow)
{
    // The dialog deletes the selected row, then asks for a track (never while Playing).
    PlaylistEngineFixture f;
    f.enter(PlayState::Stopped, 0);
    f.view.rows.erase(f.view.rows.begin() + 2);

    f.engine.selectTrack(0, false);

    EXPECT_EQ(f.engine.playState(), PlayState::Stopped);
    EXPECT_EQ(f.player.openedFile, "a.wav");
}

// A row that cannot be played is marked, not removed. Repeat All and Random go on to
// the next playable row; when none can be played the list stops and own music goes
// off, so the built-in tune plays again. Random draws are all 0.
struct UnplayableCase {
    const char *name;
    PlayMode mode;
    std::set<std::string> broken;
    int current;               // -1: stopped
    std::set<int> failedRows;
};

std::ostream &operator<<(std::ostream &out, const UnplayableCase &c) { return out << c.name; }

class UnplayableTable : public testing::TestWithParam<UnplayableCase> {};

TEST_P(UnplayableTable, skipsToAPlayableRowOrGivesTheTuneBack)
{
    const UnplayableCase &c = GetParam();
    PlaylistEngineFixture f;
    f.scriptRandom(0);
    f.engine.setPlayMode(c.mode);
    f.player.unplayable = c.broken;

    f.engine.play();
    f.engine.timerTick(f.view.ownMusicBox);

    const bool plays = c.current >= 0;
    EXPECT_EQ(f.engine.playState(), plays ? PlayState::Playing : PlayState::Stopped);
    EXPECT_EQ(f.engine.currentIndex(), c.current);
    EXPECT_EQ(f.player.playing, plays);
    EXPECT_EQ(f.view.ownMusicBox, plays);
    EXPECT_EQ(ownMusicOn, plays);
    EXPECT_EQ(f.view.failedRows, c.failedRows);
    EXPECT_EQ(f.view.rows, kFourRows);
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistEngine, UnplayableTable,
    testing::Values(UnplayableCase{"repeatAllSkipsOne", PlayMode::RepeatAll, {"a.wav"}, 1, {0}},
                    UnplayableCase{"repeatAllSkipsTwo", PlayMode::RepeatAll, {"a.wav", "b.wav"}, 2, {0, 1}},
                    UnplayableCase{"randomSkips", PlayMode::Random, {"a.wav"}, 1, {0}},
                    UnplayableCase{"repeatOneGivesUp", PlayMode::RepeatOne, {"a.wav"}, -1, {0}},
                    UnplayableCase{"repeatAllNoneGivesUp", PlayMode::RepeatAll,
                                   {"a.wav", "b.wav", "c.wav", "d.wav"}, -1, {0, 1, 2, 3}},
                    UnplayableCase{"randomNoneGivesUp", PlayMode::Random,
                                   {"a.wav", "b.wav", "c.wav", "d.wav"}, -1, {0, 1, 2, 3}}),
    [](const testing::TestParamInfo<UnplayableCase> &info) { return std::string(info.param.name); });

// open() returns at once; the ticks go on while the track loads, and only the player's
// answer decides: a late "cannot play" skips to the next row, a late "can play" starts it.
TEST(PlaylistEngine, aTrackLoadsWhileTheTimerTicks)
{
    PlaylistEngineFixture f;
    f.engine.setPlayMode(PlayMode::RepeatAll);
    f.player.deferLoads = true;
    f.player.unplayable = {"a.wav"};

    f.engine.play();
    for (int tick = 0; tick < 50; ++tick)
        f.engine.timerTick(true);
    EXPECT_EQ(f.player.opens, 1);
    EXPECT_TRUE(f.view.failedRows.empty());
    EXPECT_FALSE(f.player.playing);

    f.player.finishLoad();  // a.wav: cannot play
    EXPECT_EQ(f.player.openedFile, "b.wav");
    EXPECT_FALSE(f.player.playing);
    f.player.finishLoad();  // b.wav: loaded
    EXPECT_TRUE(f.player.playing);
    EXPECT_EQ(f.engine.currentIndex(), 1);
    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
    EXPECT_EQ(f.view.failedRows, std::set<int>{0});
}

TEST(PlaylistEngine, volumeGoesToPlayerAndEveryLaterTrack)
{
    PlaylistEngineFixture f;
    f.engine.initialise(800);
    EXPECT_EQ(f.player.log, (std::vector<std::string>{"setFileName ", "open", "setVolume 800"}));
    EXPECT_EQ(f.engine.volume(), 800);

    f.engine.setVolume(250);
    EXPECT_EQ(f.player.storedVolume, 250);
    f.engine.play();
    EXPECT_EQ(f.player.storedVolume, 250) << "a newly opened track gets the dialog volume";
    EXPECT_EQ(f.engine.volume(), 250);
}

TEST(PlaylistEngine, playlistListsRowsInOrder)
{
    PlaylistEngineFixture f;
    EXPECT_EQ(f.engine.playlist(), kFourRows);
}

TEST(PlaylistEngine, timerTickCopiesOnOffIntoOwnMusicOn)
{
    PlaylistEngineFixture f;
    f.engine.timerTick(false);
    EXPECT_FALSE(ownMusicOn);
    f.engine.timerTick(true);
    EXPECT_TRUE(ownMusicOn);
}

// ---------------------------------------------------------------------------------------
// checkEndOfTrack: what counts as the end, and what plays next.

struct EndCase {
    const char *name;
    int position;
    int length;
    bool playerSaysEnded;
    bool advances;
};

std::ostream &operator<<(std::ostream &out, const EndCase &c) { return out << c.name; }

class EndOfTrackTable : public testing::TestWithParam<EndCase> {};

TEST_P(EndOfTrackTable, advancesOnlyAtTheEnd)
{
    const EndCase &c = GetParam();
    PlaylistEngineFixture f;
    f.engine.setPlayMode(PlayMode::RepeatAll);
    f.enter(PlayState::Playing, 0);
    f.player.positionMs = c.position;
    f.player.lengthMs = c.length;
    f.player.ended = c.playerSaysEnded;

    f.engine.checkEndOfTrack();

    EXPECT_EQ(f.engine.position(), c.position);
    EXPECT_EQ(f.view.positionValue, c.advances ? 0 : c.position);
    EXPECT_EQ(f.engine.currentIndex(), c.advances ? 1 : 0);
    EXPECT_EQ(f.player.openedFile, c.advances ? "b.wav" : "a.wav");
    EXPECT_EQ(f.engine.playState(), PlayState::Playing);
    EXPECT_EQ(f.player.playing, true);
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistEngine, EndOfTrackTable,
    testing::Values(EndCase{"midTrack", 4000, 10000, false, false},
                    EndCase{"justShortOfLength", 9999, 10000, false, false},
                    EndCase{"positionAtLength", 10000, 10000, false, true},
                    EndCase{"positionPastLength", 10040, 10000, false, true},
                    EndCase{"playerEndedShortOfLength", 9950, 10000, true, true},
                    EndCase{"lengthNotKnownYet", 0, 0, false, false},
                    EndCase{"playerEndedWithUnknownLength", 0, 0, true, true}),
    [](const testing::TestParamInfo<EndCase> &info) { return std::string(info.param.name); });

TEST(PlaylistEngine, endIsIgnoredWhenNotPlaying)
{
    for (PlayState state : {PlayState::Idle, PlayState::Stopped}) {
        PlaylistEngineFixture f;
        f.enter(state, 0);
        f.player.positionMs = 3000;
        f.player.lengthMs = 3000;
        f.player.ended = true;

        f.engine.checkEndOfTrack();

        EXPECT_TRUE(f.player.log.empty()) << stateName(state);
        EXPECT_EQ(f.engine.position(), 0) << stateName(state);
    }
}

struct NextCase {
    const char *name;
    PlayMode mode;
    int current;
    int randomValue;
    int expectedCurrent;
};

std::ostream &operator<<(std::ostream &out, const NextCase &c) { return out << c.name; }

class NextTrackTable : public testing::TestWithParam<NextCase> {};

TEST_P(NextTrackTable, trackEndPlaysNextByMode)
{
    const NextCase &c = GetParam();
    PlaylistEngineFixture f;
    f.scriptRandom(c.randomValue);
    f.engine.setPlayMode(c.mode);
    f.enter(PlayState::Playing, c.current);
    f.player.ended = true;

    f.engine.checkEndOfTrack();

    EXPECT_EQ(f.engine.currentIndex(), c.expectedCurrent);
    EXPECT_EQ(f.player.openedFile, kFourRows[size_t(c.expectedCurrent)]);
    EXPECT_EQ(f.player.log.back(), "play");
    EXPECT_EQ(currentTrackIndex, c.expectedCurrent);
}

INSTANTIATE_TEST_SUITE_P(
    PlaylistEngine, NextTrackTable,
    testing::Values(NextCase{"repeatOneReplaysSameRow", PlayMode::RepeatOne, 2, 0, 2},
                    NextCase{"repeatAllTakesNextRow", PlayMode::RepeatAll, 2, 0, 3},
                    NextCase{"repeatAllWrapsLastRowToZero", PlayMode::RepeatAll, 3, 0, 0},
                    NextCase{"randomDrawsRow", PlayMode::Random, 2, 32765, 1},
                    NextCase{"randomMayDrawSameRow", PlayMode::Random, 2, 32766, 2}),
    [](const testing::TestParamInfo<NextCase> &info) { return std::string(info.param.name); });

TEST(PlaylistEngine, pollDuringLoadDoesNotLoadAgain)
{
    // Loading a file runs the event loop, so the dialog's timer can fire inside open().
    PlaylistEngineFixture f;
    f.engine.setPlayMode(PlayMode::RepeatAll);
    f.enter(PlayState::Playing, 0);
    f.player.ended = true;
    f.player.duringOpen = [&f] { f.engine.checkEndOfTrack(); };
    const int opensBefore = f.player.opens;

    f.engine.checkEndOfTrack();

    EXPECT_EQ(f.player.opens, opensBefore + 1);
    EXPECT_EQ(f.engine.currentIndex(), 1);
}

} // namespace
