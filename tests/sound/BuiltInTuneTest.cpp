#include "BuiltInTune.h"
#include "MediaTestSupport.h"
#include "MusicGlobals.h"
#include "Settings.h"
#include "WaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

// These run with no sound server: the tune plays silently.
namespace {

// An asset store over a private directory that hands out a generated tune.
class BuiltInTuneTest : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/varlenscr-test/native");
        ASSERT_TRUE(assets.isValid());
        ASSERT_TRUE(temp.isValid());
        qputenv("TMPDIR", temp.path().toUtf8());   // the shared temporary folder: stays empty
        testApplication<QCoreApplication>();
        settings.yinLiang = 32767;
        ownMusicOn = true;
        builtInTuneRestart = 1;
    }

    BuiltInTune::AssetStore store()
    {
        return {[this] { return (assets.path() + '/').toStdString(); },
                [this](int id, std::string directory, std::string baseName) {
                    extracted.push_back(std::to_string(id) + " " + directory + " " + baseName);
                    if (wave.isNull())
                        return false;
                    writeFile(QString::fromStdString(directory + baseName + ".ad"), QByteArray("scrambled"));
                    writeFile(QString::fromStdString(directory + baseName + ".wav"), wave);
                    return true;
                },
                [this](const std::string &path) {
                    removed.push_back(path);
                    QFile::remove(QString::fromStdString(path));
                }};
    }

    QStringList filesIn(const QTemporaryDir &dir) const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir assets;
    QTemporaryDir temp;
    QByteArray wave = makeSineWave(500, 440.0);
    std::vector<std::string> extracted;
    std::vector<std::string> removed;
};

TEST_F(BuiltInTuneTest, keepsLoopingAfterItsFilesAreDeleted)
{
    BuiltInTune tune(store());

    tune.play();

    // The sound plays from a private copy in the private asset folder, never from the
    // shared temporary folder; the copy may already be gone if the sound loaded at once.
    const auto *effect = tune.findChild<QSoundEffect *>();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(QFileInfo(effect->source().toLocalFile()).absolutePath(), QFileInfo(assets.path()).absoluteFilePath());
    EXPECT_TRUE(filesIn(temp).isEmpty()) << filesIn(temp).join(' ').toStdString();
    EXPECT_LE(filesIn(assets).size(), 1) << filesIn(assets).join(' ').toStdString();
    EXPECT_FALSE(filesIn(assets).contains(QStringLiteral("Music.wav")));
    EXPECT_TRUE(tune.isPlaying());
    ASSERT_TRUE(runEventsUntil([&] { return tune.isLoaded(); }));
    EXPECT_TRUE(filesIn(assets).isEmpty()) << "the private copy goes once the sound is in memory";
    runEventsFor(1200);   // longer than the 500 ms tune: it has looped
    EXPECT_TRUE(tune.isPlaying());
    EXPECT_TRUE(filesIn(assets).isEmpty());
}

TEST_F(BuiltInTuneTest, extractsMusicAssetAndDeletesScrambledThenWaveFile)
{
    BuiltInTune tune(store());
    const std::string dir = (assets.path() + '/').toStdString();

    tune.play();

    EXPECT_EQ(extracted, std::vector<std::string>{"227 " + dir + " Music"});
    EXPECT_EQ(removed, (std::vector<std::string>{dir + "Music.ad", dir + "Music.wav"}));
}

struct TuneVolumeCase {
    const char *name;
    int yinLiang;
    double volume;
};

std::ostream &operator<<(std::ostream &out, const TuneVolumeCase &c) { return out << c.name; }

class BuiltInTuneVolume : public BuiltInTuneTest, public testing::WithParamInterface<TuneVolumeCase> {};

TEST_P(BuiltInTuneVolume, playsAtVolumeOfYinLiang)
{
    settings.yinLiang = GetParam().yinLiang;
    BuiltInTune tune(store());
    tune.play();
    EXPECT_NEAR(tune.volume(), GetParam().volume, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(BuiltInTune, BuiltInTuneVolume,
                         testing::Values(TuneVolumeCase{"full", 0, 1.0},
                                         TuneVolumeCase{"half", 32767, 0.5},
                                         TuneVolumeCase{"silent", 65535, 0.0},
                                         TuneVolumeCase{"negative", -5, 1.0},
                                         TuneVolumeCase{"pastSilent", 90000, 0.0}),
                         [](const testing::TestParamInfo<TuneVolumeCase> &info) { return std::string(info.param.name); });

TEST_F(BuiltInTuneTest, missingAssetStaysSilent)
{
    wave = QByteArray();   // the store holds no tune
    BuiltInTune tune(store());

    tune.play();

    EXPECT_FALSE(tune.isPlaying());
    EXPECT_EQ(removed.size(), 2u) << "the deletions still run";
    tune.stop();
    EXPECT_TRUE(filesIn(assets).isEmpty());
    EXPECT_TRUE(filesIn(temp).isEmpty());
}

TEST_F(BuiltInTuneTest, unreadableSoundStopsAndLeavesNoFiles)
{
    wave = QByteArray("RIFF....WAVEjunkjunkjunk");
    BuiltInTune tune(store());

    tune.play();

    EXPECT_TRUE(runEventsUntil([&] { return !tune.isPlaying(); }));
    EXPECT_TRUE(runEventsUntil([&] { return filesIn(temp).isEmpty(); }));
    EXPECT_TRUE(filesIn(assets).isEmpty());
}

TEST_F(BuiltInTuneTest, stopSilencesAndCanRepeat)
{
    BuiltInTune tune(store());
    tune.play();
    ASSERT_TRUE(runEventsUntil([&] { return tune.isLoaded(); }));

    tune.stop();

    EXPECT_FALSE(tune.isPlaying());
    EXPECT_FALSE(tune.isLoaded());
    EXPECT_EQ(tune.volume(), 0.0);
    tune.stop();
    EXPECT_FALSE(tune.isPlaying());
}

TEST_F(BuiltInTuneTest, stopBeforeLoadedLeavesNoCopy)
{
    BuiltInTune tune(store());
    tune.play();
    tune.stop();
    EXPECT_TRUE(filesIn(temp).isEmpty());
    runEventsFor(100);
    EXPECT_FALSE(tune.isPlaying());
}

TEST_F(BuiltInTuneTest, musicHookStartsAndStopsTheTune)
{
    BuiltInTune tune(store());

    runMusicHook(tune);   // start-up: own music on
    EXPECT_FALSE(tune.isPlaying());
    ownMusicOn = false;
    runMusicHook(tune);
    EXPECT_TRUE(tune.isPlaying());
    runMusicHook(tune);
    EXPECT_EQ(extracted.size(), 1u) << "a running tune is not restarted";
    ownMusicOn = true;
    runMusicHook(tune);
    EXPECT_FALSE(tune.isPlaying()) << "stopped within the tick";
    ownMusicOn = false;
    runMusicHook(tune);
    EXPECT_TRUE(tune.isPlaying());
    EXPECT_EQ(extracted.size(), 2u);
}

TEST_F(BuiltInTuneTest, embeddedTunePlaysFromTheAssetStore)
{
    if (!QFile::exists(QStringLiteral(":/RCAD/227")))
        GTEST_SKIP() << "no embedded assets linked";
    qputenv("XDG_RUNTIME_DIR", assets.path().toUtf8());
    const QString assetDir = assets.path() + QStringLiteral("/VarlenScr");
    BuiltInTune tune;

    tune.play();

    EXPECT_TRUE(tune.isPlaying());
    ASSERT_TRUE(runEventsUntil([&] { return tune.isLoaded(); }));
    EXPECT_TRUE(QDir(assetDir).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(tune.isPlaying());
}

} // namespace
