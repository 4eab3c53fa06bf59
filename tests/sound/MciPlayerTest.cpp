#include "MciPlayer.h"
#include "MediaTestSupport.h"
#include "WaveFile.h"

#include <QAudioOutput>
#include <QDir>
#include <QMediaPlayer>
#include <QTemporaryDir>

#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

#include <ostream>

#include <memory>
#include <string>

// These run with no sound server: every sound plays silently.
namespace {

class MciPlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/varlenscr-test/native");
        testApplication<QCoreApplication>();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeFile(qpath("second.wav"), makeSineWave(1000, 440.0)));
    }
    std::string path(const char *name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    QString qpath(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    void openSecond()
    {
        player.setFileName(path("second.wav"));
        player.open();
        ASSERT_TRUE(runEventsUntil([&] { return !player.isLoading(); }));
        ASSERT_TRUE(player.canPlay());
    }

    QTemporaryDir dir;
    MciPlayer player;
};

// Loading runs no event loop of its own: open() returns before any timer can fire, and
// the answer comes later from the player's status.
TEST_F(MciPlayerTest, openReturnsAtOnceAndAnswersLater)
{
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    std::vector<bool> answers;
    player.setLoadHandler([&](bool playable) { answers.push_back(playable); });
    player.setFileName(path("second.wav"));

    player.open();

    EXPECT_FALSE(timerRan);
    EXPECT_TRUE(answers.empty());
    ASSERT_TRUE(runEventsUntil([&] { return !answers.empty(); }));
    EXPECT_EQ(answers, std::vector<bool>{true});
    EXPECT_TRUE(player.canPlay());
}

TEST_F(MciPlayerTest, opensWaveWithItsLengthAndNormalVolume)
{
    openSecond();
    EXPECT_EQ(player.length(), 1000);   // 22050 frames at 22050 Hz
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(player.volume(), 1000);
    EXPECT_FALSE(player.reachedEnd());
}

struct SeekCase {
    const char *name;
    int target;
    int expected;
};

std::ostream &operator<<(std::ostream &out, const SeekCase &c) { return out << c.name; }

class MciPlayerSeek : public MciPlayerTest, public testing::WithParamInterface<SeekCase> {};

TEST_P(MciPlayerSeek, seekMovesWithinTheTrack)
{
    openSecond();
    player.seek(GetParam().target);
    EXPECT_TRUE(runEventsUntil([&] { return player.position() == GetParam().expected; }))
        << "position " << player.position();
}

INSTANTIATE_TEST_SUITE_P(MciPlayer, MciPlayerSeek,
                         testing::Values(SeekCase{"inside", 400, 400},
                                         SeekCase{"beforeStart", -50, 0},
                                         SeekCase{"pastEnd", 5000, 1000}),
                         [](const testing::TestParamInfo<SeekCase> &info) { return std::string(info.param.name); });

TEST_F(MciPlayerTest, playRunsToTheEndAndStopsAtTheLength)
{
    openSecond();
    player.play();
    ASSERT_TRUE(runEventsUntil([&] { return player.reachedEnd(); }));
    EXPECT_EQ(player.position(), 1000);
    EXPECT_EQ(player.length(), 1000);
}

TEST_F(MciPlayerTest, stopKeepsThePosition)
{
    openSecond();
    player.seek(600);
    ASSERT_TRUE(runEventsUntil([&] { return player.position() == 600; }));
    player.play();
    ASSERT_TRUE(runEventsUntil([&] { return player.position() > 600; }));
    player.stop();
    const int stoppedAt = player.position();
    runEventsFor(300);
    EXPECT_EQ(player.position(), stoppedAt);
    EXPECT_FALSE(player.reachedEnd());
}

struct BadFileCase {
    const char *name;
    const char *file;   // relative to the test directory; "" for no file name at all
};

std::ostream &operator<<(std::ostream &out, const BadFileCase &c) { return out << c.name; }

class MciPlayerCannotPlay : public MciPlayerTest, public testing::WithParamInterface<BadFileCase> {};

TEST_P(MciPlayerCannotPlay, reportsCannotPlayAndStaysSilent)
{
    static const char garbage[] = "RIFF\0\0\0\0this is not sound at all";
    ASSERT_TRUE(writeFile(qpath("garbage.mp3"), QByteArray(garbage, sizeof garbage - 1).repeated(40)));
    ASSERT_TRUE(writeFile(qpath("empty.wav"), QByteArray()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    const std::string file = GetParam().file[0] ? path(GetParam().file) : std::string();
    player.setFileName(file);
    std::vector<bool> answers;
    player.setLoadHandler([&](bool playable) { answers.push_back(playable); });

    player.open();

    ASSERT_TRUE(runEventsUntil([&] { return !player.isLoading(); }));
    EXPECT_EQ(answers, std::vector<bool>{false});
    EXPECT_FALSE(player.canPlay());
    EXPECT_EQ(player.length(), 0);
    player.seek(0);
    player.setVolume(500);
    player.play();
    runEventsFor(200);
    EXPECT_EQ(player.position(), 0);
    EXPECT_FALSE(player.reachedEnd());
}

INSTANTIATE_TEST_SUITE_P(MciPlayer, MciPlayerCannotPlay,
                         testing::Values(BadFileCase{"garbage", "garbage.mp3"},
                                         BadFileCase{"emptyFile", "empty.wav"},
                                         BadFileCase{"missingFile", "missing.wav"},
                                         BadFileCase{"folder", "folder.wav"},
                                         BadFileCase{"noFileName", ""}),
                         [](const testing::TestParamInfo<BadFileCase> &info) { return std::string(info.param.name); });

struct VolumeCase {
    const char *name;
    int volume;
    float device;
};

std::ostream &operator<<(std::ostream &out, const VolumeCase &c) { return out << c.name; }

class MciPlayerVolume : public MciPlayerTest, public testing::WithParamInterface<VolumeCase> {};

TEST_P(MciPlayerVolume, volumeIsStoredAndReachesTheDevice)
{
    QObject owner;
    player.setParent(&owner);
    openSecond();

    player.setVolume(GetParam().volume);

    EXPECT_EQ(player.volume(), GetParam().volume);
    auto *output = owner.findChild<QAudioOutput *>();
    ASSERT_NE(output, nullptr);
    EXPECT_FLOAT_EQ(output->volume(), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(MciPlayer, MciPlayerVolume,
                         testing::Values(VolumeCase{"normal", 1000, 1.0f},
                                         VolumeCase{"quarter", 250, 0.25f},
                                         VolumeCase{"silent", 0, 0.0f},
                                         VolumeCase{"aboveScale", 1500, 1.0f},
                                         VolumeCase{"belowScale", -20, 0.0f}),
                         [](const testing::TestParamInfo<VolumeCase> &info) { return std::string(info.param.name); });

TEST_F(MciPlayerTest, volumeBeforeOpenIsKeptUntilOpenReadsTheDevice)
{
    player.setVolume(300);
    EXPECT_EQ(player.volume(), 300);
    openSecond();
    EXPECT_EQ(player.volume(), 1000) << "a freshly opened device plays at normal volume";
}

TEST_F(MciPlayerTest, openWithNoFileToPlayStartsNoMediaBackend)
{
    QObject owner;
    player.setParent(&owner);
    openSecond();
    for (const std::string &file : {std::string(), path("missing.wav")}) {
        player.setVolume(300);
        player.setFileName(file);
        player.open();
        EXPECT_FALSE(player.canPlay());
        EXPECT_EQ(owner.findChildren<QMediaPlayer *>().size(), 0) << file;
        EXPECT_EQ(owner.findChildren<QAudioOutput *>().size(), 0) << file;
        EXPECT_EQ(player.volume(), 1000) << "reads as a freshly opened device";
    }
}

TEST_F(MciPlayerTest, openReplacesThePreviousMedia)
{
    QObject owner;
    player.setParent(&owner);
    openSecond();
    openSecond();
    EXPECT_EQ(owner.findChildren<QMediaPlayer *>().size(), 1);
    EXPECT_EQ(owner.findChildren<QAudioOutput *>().size(), 1);
}

TEST_F(MciPlayerTest, closeUnloadsAndOpenLoadsAgain)
{
    QObject owner;
    player.setParent(&owner);
    openSecond();
    player.play();

    player.close();

    EXPECT_FALSE(player.canPlay());
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.position(), 0);
    EXPECT_TRUE(owner.findChildren<QMediaPlayer *>().isEmpty());
    player.play();   // nothing to play: ignored
    openSecond();
    EXPECT_EQ(player.length(), 1000);
}

TEST_F(MciPlayerTest, survivesItsParentGoingFirst)
{
    auto owner = std::make_unique<QObject>();
    player.setParent(owner.get());
    openSecond();
    player.play();

    owner.reset();

    EXPECT_EQ(player.parent(), nullptr);
    EXPECT_EQ(player.position(), 0);
    EXPECT_EQ(player.length(), 0);
    player.stop();
    player.close();
}

TEST_F(MciPlayerTest, destroyedWhilePlaying)
{
    // The media player and output it made go with it: nothing is left playing under its
    // parent, and the events still queued for them find nothing to reach.
    QObject owner;
    auto playing = std::make_unique<MciPlayer>();
    playing->setParent(&owner);
    playing->setFileName(path("second.wav"));
    playing->open();
    ASSERT_TRUE(runEventsUntil([&] { return !playing->isLoading(); }));
    playing->play();
    ASSERT_TRUE(runEventsUntil([&] { return playing->position() > 0; }));
    ASSERT_EQ(owner.findChildren<QMediaPlayer *>().size(), 1);

    playing.reset();

    EXPECT_TRUE(owner.findChildren<QMediaPlayer *>().isEmpty());
    EXPECT_TRUE(owner.findChildren<QAudioOutput *>().isEmpty());
    runEventsFor(50);
}

} // namespace
