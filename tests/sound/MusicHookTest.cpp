#include "MusicGlobals.h"
#include "MusicHook.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace {

struct RecordingTune : TuneControl {
    std::vector<std::string> calls;
    void play() override { calls.push_back("play"); }
    void stop() override { calls.push_back("stop"); }
};

TEST(MusicHook, switchesStartSetForSilenceUntilTheDialogSpeaks)
{
    // Values of the fresh process (this test must not run after one that changes them;
    // every test runs in a process of its own under ctest).
    EXPECT_TRUE(ownMusicOn);
    EXPECT_EQ(builtInTuneRestart, 1);
    EXPECT_EQ(currentTrackIndex, -1);
}

struct Tick {
    bool ownMusic;
    const char *expectedCall;   // "" for none
    int restartAfter;
};

TEST(MusicHook, followsOwnMusicSwitchTickByTick)
{
    const std::vector<Tick> ticks = {
        {true, "stop", 1},    // start-up: own music on until the dialog's first tick
        {true, "stop", 1},    // stopped again on every tick while own music is on
        {false, "play", 0},   // first tick with own music off starts the tune
        {false, "", 0},       // and later ticks leave it running
        {false, "", 0},
        {true, "stop", 1},    // own music on: stopped and marked for a restart
        {true, "stop", 1},
        {false, "play", 0},   // restarted on the first tick after it turns off
        {false, "", 0},
    };
    ownMusicOn = true;
    builtInTuneRestart = 1;
    RecordingTune tune;
    for (size_t i = 0; i < ticks.size(); ++i) {
        tune.calls.clear();
        ownMusicOn = ticks[i].ownMusic;

        runMusicHook(tune);

        const std::vector<std::string> expected =
            std::string(ticks[i].expectedCall).empty() ? std::vector<std::string>{}
                                                       : std::vector<std::string>{ticks[i].expectedCall};
        EXPECT_EQ(tune.calls, expected) << "tick " << i;
        EXPECT_EQ(builtInTuneRestart, ticks[i].restartAfter) << "tick " << i;
    }
}

TEST(MusicHook, ownMusicOffWithoutRestartMarkLeavesTuneAlone)
{
    ownMusicOn = false;
    builtInTuneRestart = 0;
    RecordingTune tune;
    runMusicHook(tune);
    EXPECT_TRUE(tune.calls.empty());
}

struct VolumeCase {
    int yinLiang;
    double expected;
};

std::ostream &operator<<(std::ostream &out, const VolumeCase &c) { return out << "yinLiang " << c.yinLiang; }

class BuiltInTuneVolumeTable : public testing::TestWithParam<VolumeCase> {};

TEST_P(BuiltInTuneVolumeTable, attenuationMapsLinearlyToVolume)
{
    EXPECT_NEAR(builtInTuneVolume(GetParam().yinLiang), GetParam().expected, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(MusicHook, BuiltInTuneVolumeTable,
                         testing::Values(VolumeCase{0, 1.0},
                                         VolumeCase{65535, 0.0},
                                         VolumeCase{32767, 32768.0 / 65535.0},   // 0x8000 of 0xFFFF
                                         VolumeCase{49151, 16384.0 / 65535.0},   // a quarter
                                         VolumeCase{-100, 1.0},                  // out of range: nearer end
                                         VolumeCase{70000, 0.0}));

} // namespace
