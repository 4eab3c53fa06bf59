#include "BuiltInTune.h"
#include "FakePlaylist.h"
#include "MciPlayer.h"
#include "MediaTestSupport.h"
#include "MusicGlobals.h"
#include "PlaylistEngine.h"
#include "WaveFile.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>
#include <vector>

// The playlist engine over the real player, with no sound server: the tracks play
// silently and still end, so the playlist moves on.
namespace {

class PlaylistPlayback : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/varlenscr-test/native");
        testApplication<QCoreApplication>();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeFile(dir.filePath("one.wav"), makeSineWave(600, 440.0)));
        ASSERT_TRUE(writeFile(dir.filePath("two.wav"), makeSineWave(400, 660.0)));
        ownMusicOn = false;
        builtInTuneRestart = 1;
        currentTrackIndex = -1;
        view.rows = {dir.filePath("one.wav").toStdString(), dir.filePath("two.wav").toStdString()};
    }

    QTemporaryDir dir;
    FakeView view;
    MciPlayer player;
    PlaylistEngine engine{view, player};
};

TEST_F(PlaylistPlayback, repeatAllPlaysThroughAndWrapsWhileTheViewKeepsTicking)
{
    // The dialog's 200 ms poll and the view's 10 ms tick with its music hook.
    BuiltInTune tune(BuiltInTune::AssetStore{[] { return std::string("/nonexistent/"); },
                                             [](int, std::string, std::string) { return false; },
                                             [](const std::string &) {}});
    int ticks = 0;
    QTimer viewTick;
    QObject::connect(&viewTick, &QTimer::timeout, [&] {
        ++ticks;
        runMusicHook(tune);
    });
    viewTick.start(10);

    std::vector<int> tracks;        // each current track in order
    std::vector<int> ticksAtChange; // view ticks seen when it changed
    QTimer dialogTick;
    QObject::connect(&dialogTick, &QTimer::timeout, [&] {
        engine.timerTick(view.ownMusicBox);
        if (tracks.empty() || tracks.back() != engine.currentIndex()) {
            tracks.push_back(engine.currentIndex());
            ticksAtChange.push_back(ticks);
        }
    });

    engine.initialise(1000);
    engine.setPlayMode(PlayMode::RepeatAll);
    engine.play();
    ASSERT_TRUE(runEventsUntil([&] { return player.canPlay(); }));
    ASSERT_EQ(engine.currentIndex(), 0);
    dialogTick.start(200);

    ASSERT_TRUE(runEventsUntil([&] { return tracks.size() >= 3; }));

    EXPECT_EQ(tracks, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(engine.playState(), PlayState::Playing);
    EXPECT_TRUE(ownMusicOn) << "the dialog tick copied the checked On/Off box";
    EXPECT_EQ(builtInTuneRestart, 1) << "the hook kept the tune stopped";
    ASSERT_EQ(ticksAtChange.size(), 3u);
    EXPECT_LT(ticksAtChange[0], ticksAtChange[1]) << "the view ticked while the first track played";
    EXPECT_LT(ticksAtChange[1], ticksAtChange[2]) << "the view ticked while the second track played";
}

TEST_F(PlaylistPlayback, repeatOnePlaysTheSameFileAgain)
{
    engine.initialise(1000);
    view.selected = 1;
    engine.play();
    ASSERT_EQ(engine.currentIndex(), 1);
    bool nearEnd = false;   // the 400 ms track got past 300 ms
    bool restarted = false; // and then began again
    ASSERT_TRUE(runEventsUntil([&] {
        engine.checkEndOfTrack();
        const int at = player.position();
        if (at >= 300)
            nearEnd = true;
        else if (nearEnd && at < 200)
            restarted = true;
        return restarted;
    }));
    EXPECT_EQ(engine.currentIndex(), 1);
    EXPECT_EQ(player.fileName(), view.rows[1]);
    EXPECT_EQ(engine.playState(), PlayState::Playing);
}

TEST_F(PlaylistPlayback, unplayableRowIsMarkedAndSkipped)
{
    ASSERT_TRUE(writeFile(dir.filePath("bad.mp3"), QByteArray(4000, '\x17')));
    view.rows.insert(view.rows.begin(), dir.filePath("bad.mp3").toStdString());
    engine.initialise(1000);
    engine.setPlayMode(PlayMode::RepeatAll);

    engine.play();

    ASSERT_TRUE(runEventsUntil([&] { return player.canPlay(); }));
    EXPECT_EQ(engine.currentIndex(), 1);
    EXPECT_EQ(view.failedRows, std::set<int>{0});
    EXPECT_EQ(engine.playState(), PlayState::Playing);
    EXPECT_TRUE(runEventsUntil([&] { return player.position() > 0; }));
}

} // namespace
