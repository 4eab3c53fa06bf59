#include "CustomMusicDialog.h"

#include "BuiltInTune.h"
#include "DialogTestSupport.h"
#include "MusicGlobals.h"
#include "MusicHook.h"
#include "PrivatePulseServer.h"
#include "Settings.h"
#include "WaveFile.h"

#include <QTest>

#include <gtest/gtest.h>

// What is heard when "On/Off" goes off while the playlist plays: a PulseAudio server of
// the test's own with a null sink records the output. The own music is a 660 Hz tone,
// the built-in tune a 440 Hz one; in a 100 ms window they cross zero about 132 and 88
// times. The view's 10 ms tick runs the music hook, as in the program.
TEST(CustomMusicDialogListening, onOffOffSwitchesFromPlaylistToBuiltInTune)
{
    uiTestApp();
    PrivatePulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << why.toStdString();
    qputenv("PULSE_SERVER", server.address());

    ScopedConfigHome config;
    QTemporaryDir files;
    const QString own = files.filePath(QStringLiteral("own.wav"));
    ASSERT_TRUE(writeFile(own, makeSineWave(20000, 660.0)));
    config.writeSettings("[Custom Settings]\nOwnMusic=1\nMusicSum=1\nMusicList0=" + own.toUtf8() + "\n");
    settings.yinLiang = 0;
    ownMusicOn = true;
    builtInTuneRestart = 1;
    const QByteArray tuneWave = makeSineWave(1000, 440.0);
    BuiltInTune tune(BuiltInTune::AssetStore{
        [&files] { return (files.path() + QLatin1Char('/')).toStdString(); },
        [tuneWave](int, std::string directory, std::string baseName) {
            writeFile(QString::fromStdString(directory + baseName + ".ad"), QByteArray("x"));
            return writeFile(QString::fromStdString(directory + baseName + ".wav"), tuneWave);
        },
        [](const std::string &path) { QFile::remove(QString::fromStdString(path)); }});
    QTimer viewTick;
    QObject::connect(&viewTick, &QTimer::timeout, &viewTick, [&tune] { runMusicHook(tune); });

    ASSERT_TRUE(server.startRecording());
    CustomMusicDialog dialog(nullptr);
    viewTick.start(10);
    ASSERT_EQ(dialog.engine().playState(), PlayState::Playing);
    ASSERT_TRUE(processUntil([&] { return server.playingStreams() == 1; }, 20000));
    QTest::qWait(800);

    QWidget *onOff = dialog.control(CustomMusicDialog::OwnMusicBox);
    dialog.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseMove(onOff, onOff->rect().center());
    QTest::mouseClick(onOff, Qt::LeftButton, {}, onOff->rect().center());
    ASSERT_TRUE(processUntil([] { return !ownMusicOn; }));
    EXPECT_EQ(dialog.engine().playState(), PlayState::Stopped);
    ASSERT_TRUE(processUntil([&] { return tune.isPlaying() && tune.isLoaded(); }));
    QTest::qWait(800);
    viewTick.stop();
    tune.stop();
    const Recording heard(server.stopRecording());

    // A window in which the own music starts two thirds of the way through counts as
    // many crossings as the tune: the tune's first window is the first of two in a row.
    const auto isTune = [&](size_t i) {
        const Recording::Window &w = heard.windows[i];
        return w.left >= 500.0 && w.crossings >= 84 && w.crossings <= 92;
    };
    int lastOwn = -1, firstTune = -1, tuneWindows = 0;
    for (size_t i = 0; i < heard.windows.size(); ++i) {
        const Recording::Window &w = heard.windows[i];
        if (w.left >= 500.0 && w.crossings >= 128 && w.crossings <= 136)
            lastOwn = int(i);
        if (isTune(i)) {
            ++tuneWindows;
            if (firstTune < 0 && i + 1 < heard.windows.size() && isTune(i + 1))
                firstTune = int(i);
        }
    }
    EXPECT_GE(lastOwn, 0) << "the own music was heard";
    EXPECT_GE(tuneWindows, 3) << "the built-in tune was heard";
    EXPECT_LT(lastOwn, firstTune) << "the tune came after the own music";
}
