// The command line as screensaver hosts and people write it.
#include "CommandLine.h"
#include "DisplayPlatform.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Action = CommandLineResult::Action;
using Mode = LaunchOptions::Mode;

struct CommandLineCase {
    std::vector<std::string> args;
    const char *xscreensaverWindow; // null: unset
    Action action;
    Mode mode = Mode::Standalone;
    uint32_t hostWindow = 0;
    bool sound = true;
    int tickMs = 10;
    int width = 800, height = 600;
    bool fps = false;
    std::optional<uint32_t> seed = std::nullopt;

    friend std::ostream &operator<<(std::ostream &os, const CommandLineCase &c)
    {
        for (const std::string &a : c.args)
            os << a << ' ';
        return os << "XSCREENSAVER_WINDOW=" << (c.xscreensaverWindow ? c.xscreensaverWindow : "(unset)");
    }
};

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, readsEachOptionOrRefusesIt)
{
    const CommandLineCase &c = GetParam();
    const CommandLineResult r = parseCommandLine(c.args, c.xscreensaverWindow);
    ASSERT_EQ(int(r.action), int(c.action)) << r.error;
    EXPECT_EQ(r.error.empty(), c.action != Action::Fail);
    if (c.action != Action::Run)
        return;
    EXPECT_EQ(int(r.options.mode), int(c.mode));
    EXPECT_EQ(r.options.hostWindow, c.hostWindow);
    EXPECT_EQ(r.options.sound, c.sound);
    EXPECT_EQ(r.options.tickMs, c.tickMs);
    EXPECT_EQ(r.options.windowWidth, c.width);
    EXPECT_EQ(r.options.windowHeight, c.height);
    EXPECT_EQ(r.options.showFps, c.fps);
    EXPECT_EQ(r.options.seed, c.seed);
}

TEST(CommandLine, echoesABadArgumentCutShortOnOneLine)
{
    const std::string huge = "--" + std::string(100000, 'a');
    const CommandLineResult r = parseCommandLine({huge}, nullptr);
    ASSERT_EQ(int(r.action), int(Action::Fail));
    EXPECT_LT(r.error.size(), 100u) << r.error;
    EXPECT_EQ(r.error.find("unknown option: --aaaa"), 0u) << r.error;
    const CommandLineResult lines = parseCommandLine({"--delay", "1\n2"}, nullptr);
    EXPECT_EQ(lines.error.find('\n'), std::string::npos) << lines.error;
}

TEST(CommandLine, runSeedIsTheGivenOneElseNewPerClockAndProcess)
{
    LaunchOptions given;
    given.seed = 7;
    EXPECT_EQ(runSeed(given, 1, 2), 7u);
    EXPECT_EQ(runSeed(given, 999, 3), 7u);
    const LaunchOptions fresh;
    EXPECT_EQ(runSeed(fresh, 1000, 42), runSeed(fresh, 1000, 42));
    EXPECT_NE(runSeed(fresh, 1000, 42), runSeed(fresh, 1001, 42)) << "a nanosecond later";
    EXPECT_NE(runSeed(fresh, 1000, 42), runSeed(fresh, 1000, 43)) << "two monitors started at once";
}

const Mode S = Mode::Screensaver;

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(
        // Standalone and its window.
        CommandLineCase{{}, nullptr, Action::Run},
        CommandLineCase{{}, "0x400007", Action::Run}, // the variable alone changes nothing
        CommandLineCase{{"--window"}, nullptr, Action::Run, Mode::Window},
        CommandLineCase{{"-window", "-geometry", "320x200"}, nullptr, Action::Run, Mode::Window, 0, true, 10, 320, 200},
        CommandLineCase{{"--window", "--geometry=1024X768", "--no-sound", "--fps"}, nullptr, Action::Run, Mode::Window, 0,
                        false, 10, 1024, 768, true},
        CommandLineCase{{"--help"}, nullptr, Action::ShowHelp},
        CommandLineCase{{"-version", "--bogus"}, nullptr, Action::ShowVersion},
        // Hosts: ids in hex and decimal, the variable, and which wins.
        CommandLineCase{{"--window-id", "0x1a00007"}, nullptr, Action::Run, S, 0x1a00007, false},
        CommandLineCase{{"-window-id", "27262983"}, nullptr, Action::Run, S, 27262983, false},
        CommandLineCase{{"--window-id", "0XFFFFFFFF"}, nullptr, Action::Run, S, 0xffffffff, false},
        CommandLineCase{{"--root"}, nullptr, Action::Run, S, 0, false},
        CommandLineCase{{"-root"}, "", Action::Run, S, 0, false},
        CommandLineCase{{"-root"}, "0x400007", Action::Run, S, 0x400007, false},
        CommandLineCase{{"--root"}, "4194311", Action::Run, S, 4194311, false},
        CommandLineCase{{"--root", "--window-id", "0x600001"}, "0x400007", Action::Run, S, 0x600001, false},
        CommandLineCase{{"--window-id", "0x600001", "--window"}, nullptr, Action::Run, S, 0x600001, false},
        CommandLineCase{{"--root", "--sound", "--delay", "20000"}, nullptr, Action::Run, S, 0, true, 20},
        CommandLineCase{{"--no-sound", "--sound"}, nullptr, Action::Run, Mode::Standalone, 0, true},
        CommandLineCase{{"--delay", "0"}, nullptr, Action::Run, Mode::Standalone, 0, true, 0},
        CommandLineCase{{"--delay", "1500"}, nullptr, Action::Run, Mode::Standalone, 0, true, 2},
        CommandLineCase{{"--delay", "10000000"}, nullptr, Action::Run, Mode::Standalone, 0, true, 10000},
        CommandLineCase{{"--seed", "7"}, nullptr, Action::Run, Mode::Standalone, 0, true, 10, 800, 600, false, 7u},
        CommandLineCase{{"-root", "-seed=4294967295"}, nullptr, Action::Run, S, 0, false, 10, 800, 600, false,
                        4294967295u},
        CommandLineCase{{"--seed", "0"}, nullptr, Action::Run, Mode::Standalone, 0, true, 10, 800, 600, false, 0u},
        // Refused.
        CommandLineCase{{"--bogus"}, nullptr, Action::Fail},
        CommandLineCase{{"extra"}, nullptr, Action::Fail},
        CommandLineCase{{"-"}, nullptr, Action::Fail},
        CommandLineCase{{"--fps=1"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "banana"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "0"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "0x"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "12abc"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "-5"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", " 5"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "4294967296"}, nullptr, Action::Fail},
        CommandLineCase{{"--window-id", "0x100000000"}, nullptr, Action::Fail},
        CommandLineCase{{"--root"}, "junk", Action::Fail},
        CommandLineCase{{"--delay", "-5"}, nullptr, Action::Fail},
        CommandLineCase{{"--delay", "10000001"}, nullptr, Action::Fail},
        CommandLineCase{{"--delay", "99999999999999999999"}, nullptr, Action::Fail},
        CommandLineCase{{"--delay", "5ms"}, nullptr, Action::Fail},
        CommandLineCase{{"--geometry", "800"}, nullptr, Action::Fail},
        CommandLineCase{{"--geometry", "0x600"}, nullptr, Action::Fail},
        CommandLineCase{{"--geometry", "800x600+10+10"}, nullptr, Action::Fail},
        CommandLineCase{{"--seed"}, nullptr, Action::Fail},
        CommandLineCase{{"--seed", "-1"}, nullptr, Action::Fail},
        CommandLineCase{{"--seed", "4294967296"}, nullptr, Action::Fail},
        CommandLineCase{{"--seed", "0x10"}, nullptr, Action::Fail}));

// Which display platform the standalone program asks Qt for, before Qt starts.
struct DisplayCase {
    const char *name;
    DisplayProbe probe;
    bool usable;
    const char *platform; // "": Qt's own choice
    const char *errorNames; // in the error line
};

class DisplayPlatformChoice : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayPlatformChoice, usesWaylandOrX11OrSaysWhyNeither)
{
    const DisplayCase &c = GetParam();
    const DisplayChoice choice = chooseDisplayPlatform(c.probe);
    EXPECT_EQ(choice.usable, c.usable);
    EXPECT_EQ(choice.platform, c.platform);
    EXPECT_NE(choice.error.find(c.errorNames), std::string::npos) << choice.error;
    EXPECT_EQ(choice.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DisplayPlatformChoice,
    ::testing::Values(
        // Both: Qt's choice (it honours the session type and the desktop).
        DisplayCase{"waylandAndXwayland", {"", "wayland-0", true, true, ":0", true}, true, "", ""},
        // A compositor without Xwayland (or a test's weston): Wayland, whatever the session says.
        DisplayCase{"waylandOnly", {"", "wayland-0", true, true, "", false}, true, "wayland", ""},
        // qt6-wayland missing: Xwayland.
        DisplayCase{"xwaylandWithoutQtWayland", {"", "wayland-0", true, false, ":0", true}, true, "xcb", ""},
        // qt6-wayland missing and no X server: one line instead of Qt's abort.
        DisplayCase{"waylandWithoutQtWaylandNorX", {"", "wayland-0", true, false, "", false}, false, "",
                    "qt6-wayland"},
        DisplayCase{"xServerGone", {"", "", false, false, ":7", false}, false, "", "\":7\""},
        // The user's platform stands, but one that cannot be opened is said, not aborted on.
        DisplayCase{"forcedX11Gone", {"xcb", "wayland-0", true, true, ":7", false}, false, "", "\":7\""},
        DisplayCase{"forcedX11OrWayland", {"xcb;wayland", "wayland-0", true, true, ":7", false}, true, "", ""},
        DisplayCase{"forcedOffscreen", {"offscreen", "", false, false, "", false}, true, "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
