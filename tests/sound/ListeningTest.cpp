#include "BuiltInTune.h"
#include "FakePlaylist.h"
#include "MciPlayer.h"
#include "MediaTestSupport.h"
#include "MusicGlobals.h"
#include "PlaylistEngine.h"
#include "PrivatePulseServer.h"
#include "Settings.h"
#include "WaveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// What is really heard: each test starts a PulseAudio server of its own with a null sink
// and records its monitor. The generated tones have amplitude 12000, so a tone played at
// full volume records with an RMS of 12000 / sqrt(2) = 8485 on each channel, and in
// 100 ms a 440 Hz tone crosses zero 88 times, a 660 Hz one 132 times.
namespace {

constexpr double kFullRms = 8485.0;
constexpr double kSoundingFloor = 500.0;
constexpr double kSilenceCeiling = 10.0;

class Listening : public testing::Test {
protected:
    void SetUp() override
    {
        testApplication<QCoreApplication>();
        QString why;
        if (!server.start(&why))
            GTEST_SKIP() << why.toStdString();
        qputenv("PULSE_SERVER", server.address());
        ASSERT_TRUE(assets.isValid());
        ownMusicOn = true;
        builtInTuneRestart = 1;
        currentTrackIndex = -1;
    }

    // A built-in tune over a generated one-second 440 Hz tone.
    std::unique_ptr<BuiltInTune> makeTune()
    {
        const QByteArray wave = makeSineWave(1000, 440.0);
        return std::make_unique<BuiltInTune>(BuiltInTune::AssetStore{
            [this] { return (assets.path() + '/').toStdString(); },
            [wave](int, std::string directory, std::string baseName) {
                writeFile(QString::fromStdString(directory + baseName + ".ad"), QByteArray("x"));
                return writeFile(QString::fromStdString(directory + baseName + ".wav"), wave);
            },
            [](const std::string &path) { QFile::remove(QString::fromStdString(path)); }});
    }

    // Plays the built-in tune at `yinLiang` for about `ms` milliseconds while recording.
    Recording recordTune(int yinLiang, int ms)
    {
        settings.yinLiang = yinLiang;
        auto tune = makeTune();
        EXPECT_TRUE(server.startRecording());
        tune->play();
        EXPECT_TRUE(runEventsUntil([&] { return tune->isLoaded(); }));
        EXPECT_TRUE(runEventsUntil([&] { return server.playingStreams() == 1; }));
        runEventsFor(ms);
        EXPECT_TRUE(tune->isPlaying());
        tune->stop();
        runEventsFor(300);
        return Recording(server.stopRecording());
    }

    PrivatePulseServer server;
    QTemporaryDir assets;
};

TEST_F(Listening, builtInTuneIsHeardAtFullVolumeEquallyOnBothChannels)
{
    const Recording heard = recordTune(0, 3000);

    const auto sounding = heard.sounding(kSoundingFloor);
    // Longer than the one-second tone: it loops, from memory, its files long deleted.
    EXPECT_GT(sounding.size(), 12u) << "100 ms windows with sound";
    const auto [left, right] = Recording::meanLevels(sounding);
    EXPECT_NEAR(left, kFullRms, 0.1 * kFullRms);
    EXPECT_NEAR(right, kFullRms, 0.1 * kFullRms);
    EXPECT_NEAR(left, right, 0.02 * kFullRms);
}

TEST_F(Listening, builtInTuneAtDefaultAttenuationIsAboutHalf)
{
    const Recording heard = recordTune(32767, 1500);

    const auto sounding = heard.sounding(kSoundingFloor);
    ASSERT_FALSE(sounding.empty());
    const auto [left, right] = Recording::meanLevels(sounding);
    EXPECT_NEAR(left, kFullRms / 2, 0.1 * kFullRms / 2);   // 4243
    EXPECT_NEAR(right, kFullRms / 2, 0.1 * kFullRms / 2);
}

TEST_F(Listening, builtInTuneIsSilentAtFullAttenuation)
{
    const Recording heard = recordTune(65535, 1500);
    EXPECT_LT(heard.peakRms(), kSilenceCeiling);
}

// The program's own tune, from the embedded asset store.
class ListeningEmbeddedTune : public Listening, public testing::WithParamInterface<int> {};

TEST_P(ListeningEmbeddedTune, embeddedTuneIsHeardOnBothChannelsOrSilenced)
{
    if (!QFile::exists(QStringLiteral(":/RCAD/227")))
        GTEST_SKIP() << "no embedded assets linked";
    qputenv("XDG_RUNTIME_DIR", assets.path().toUtf8());   // the asset directory goes here
    settings.yinLiang = GetParam();
    BuiltInTune tune;
    ASSERT_TRUE(server.startRecording());
    tune.play();
    ASSERT_TRUE(runEventsUntil([&] { return tune.isLoaded(); }));
    runEventsFor(1500);
    tune.stop();
    runEventsFor(300);
    const Recording heard(server.stopRecording());

    EXPECT_TRUE(QDir(assets.path() + QStringLiteral("/VarlenScr")).entryList(QDir::Files).isEmpty());
    if (GetParam() == 65535) {
        EXPECT_LT(heard.peakRms(), kSilenceCeiling);
        return;
    }
    // The tune is a stereo piece whose two channels differ a little; what matters is that
    // the right channel is not left out: both carry sound at comparable levels.
    const auto [left, right] = Recording::meanLevels(heard.sounding(kSoundingFloor / 5));
    EXPECT_GT(left, kSoundingFloor);
    EXPECT_GT(right, kSoundingFloor);
    EXPECT_GT(right, left / 2);
    EXPECT_GT(left, right / 2);
}

INSTANTIATE_TEST_SUITE_P(Listening, ListeningEmbeddedTune, testing::Values(0, 65535),
                         [](const testing::TestParamInfo<int> &info) {
                             return std::string(info.param == 0 ? "fullVolume" : "silenced");
                         });

TEST_F(Listening, ownMusicOnSilencesTheTuneWithinOneTick)
{
    settings.yinLiang = 0;
    auto tune = makeTune();
    ASSERT_TRUE(server.startRecording());
    ownMusicOn = false;
    runMusicHook(*tune);
    ASSERT_TRUE(runEventsUntil([&] { return tune->isLoaded(); }));
    ASSERT_TRUE(runEventsUntil([&] { return server.playingStreams() == 1; }));
    runEventsFor(500);

    ownMusicOn = true;
    runMusicHook(*tune);   // one tick; no further tick runs below

    EXPECT_TRUE(runEventsUntil([&] { return server.playingStreams() == 0; })) << "nothing plays into the server";
    EXPECT_FALSE(Recording(server.stopRecording()).sounding(kSoundingFloor).empty()) << "it was heard before";
}

TEST_F(Listening, playlistOfTwoFilesPlaysThroughInRepeatAll)
{
    ASSERT_TRUE(writeFile(assets.filePath("one.wav"), makeSineWave(900, 440.0)));
    ASSERT_TRUE(writeFile(assets.filePath("two.wav"), makeSineWave(700, 660.0)));
    FakeView view;
    view.rows = {assets.filePath("one.wav").toStdString(), assets.filePath("two.wav").toStdString()};
    MciPlayer player;
    PlaylistEngine engine(view, player);
    engine.initialise(1000);
    engine.setPlayMode(PlayMode::RepeatAll);

    std::vector<int> tracks;
    QTimer dialogTick;
    QObject::connect(&dialogTick, &QTimer::timeout, [&] {
        engine.timerTick(view.ownMusicBox);
        if (tracks.back() != engine.currentIndex())
            tracks.push_back(engine.currentIndex());
    });
    ASSERT_TRUE(server.startRecording());
    engine.play();
    tracks.push_back(engine.currentIndex());
    dialogTick.start(200);

    ASSERT_TRUE(runEventsUntil([&] { return tracks.size() >= 3; }));
    dialogTick.stop();
    engine.stopPlaying();
    runEventsFor(300);
    const Recording heard(server.stopRecording());

    EXPECT_EQ(tracks, (std::vector<int>{0, 1, 0}));
    const auto sounding = heard.sounding(kSoundingFloor);
    int first = 0, second = 0;   // windows of the 440 Hz and of the 660 Hz file
    for (const auto &w : sounding) {
        first += (w.crossings >= 84 && w.crossings <= 92);
        second += (w.crossings >= 128 && w.crossings <= 136);
    }
    EXPECT_GE(first, 5) << "the first file was heard";
    EXPECT_GE(second, 3) << "the second file was heard";
    const auto [left, right] = Recording::meanLevels(sounding);
    EXPECT_NEAR(left, right, 0.02 * kFullRms);
}

struct OwnVolumeCase {
    const char *name;
    int volume;     // 0..1000
    double rms;     // expected mean RMS while sounding; 0 for silence
};

std::ostream &operator<<(std::ostream &out, const OwnVolumeCase &c) { return out << c.name; }

class ListeningOwnVolume : public Listening, public testing::WithParamInterface<OwnVolumeCase> {};

TEST_P(ListeningOwnVolume, ownMusicPlaysAtItsVolumeOnBothChannels)
{
    ASSERT_TRUE(writeFile(assets.filePath("tone.wav"), makeSineWave(1000, 440.0)));
    MciPlayer player;
    player.setFileName(assets.filePath("tone.wav").toStdString());
    player.open();
    ASSERT_TRUE(runEventsUntil([&] { return !player.isLoading(); }));
    ASSERT_TRUE(player.canPlay());
    player.setVolume(GetParam().volume);
    ASSERT_TRUE(server.startRecording());

    player.play();
    ASSERT_TRUE(runEventsUntil([&] { return player.reachedEnd(); }));
    runEventsFor(300);
    const Recording heard(server.stopRecording());

    if (GetParam().rms == 0) {
        EXPECT_LT(heard.peakRms(), kSilenceCeiling);
        return;
    }
    const auto sounding = heard.sounding(kSoundingFloor);
    EXPECT_GE(sounding.size(), 5u);
    const auto [left, right] = Recording::meanLevels(sounding);
    EXPECT_NEAR(left, GetParam().rms, 0.1 * GetParam().rms);
    EXPECT_NEAR(right, GetParam().rms, 0.1 * GetParam().rms);
}

INSTANTIATE_TEST_SUITE_P(Listening, ListeningOwnVolume,
                         testing::Values(OwnVolumeCase{"normal", 1000, kFullRms},
                                         OwnVolumeCase{"half", 500, kFullRms / 2},   // 4243
                                         OwnVolumeCase{"silent", 0, 0.0}),
                         [](const testing::TestParamInfo<OwnVolumeCase> &info) { return std::string(info.param.name); });

} // namespace
