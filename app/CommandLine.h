#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the program was asked to run. Read before any window system is touched, so that
// --help and --version work without a display.
struct LaunchOptions {
    enum class Mode {
        Standalone,  // full screen on the primary screen (no option)
        Window,      // --window: an ordinary decorated, resizable window
        Screensaver, // --window-id or --root: a guest in a host's X window
    };
    Mode mode = Mode::Standalone;
    // Screensaver mode: the host's X window; 0 means the root window of the screen.
    uint32_t hostWindow = 0;
    int windowWidth = 800, windowHeight = 600; // --window size (--geometry WxH)
    int tickMs = 10;                           // the frame tick (--delay, rounded up to ms)
    bool showFps = false;
    bool sound = true; // on by default only outside screensaver mode
    // --seed N: the random generator's seed, so a scene can be repeated; unset, every
    // run takes a fresh one (runSeed()).
    std::optional<uint32_t> seed;
};

// What main() does with the command line.
struct CommandLineResult {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    LaunchOptions options;
    std::string error; // Fail: one line saying what was wrong
};

// Parses the arguments after the program name. Every option has a one-dash and a
// two-dash spelling (-root, --root), and an option's value may follow as the next
// argument or after '=' (--delay=20000). `xscreensaverWindow` is the value of
// $XSCREENSAVER_WINDOW (null when unset); --root uses it when set and valid, and
// --window-id wins over both. An unknown option, a missing or bad value or a stray
// argument makes the result Fail, with a message.
CommandLineResult parseCommandLine(const std::vector<std::string> &args, const char *xscreensaverWindow);

// An X window id: "0x" or "0X" then hexadecimal digits, or decimal digits, nothing else
// (no sign, no blanks). Empty for anything else, for 0 and for ids beyond 32 bits.
std::optional<uint32_t> parseWindowId(std::string_view text);

// The seed a run uses: the one given, else one mixed from the clock (in nanoseconds)
// and the process id, so runs started in the same second, or at once on two monitors,
// still differ.
uint32_t runSeed(const LaunchOptions &options, uint64_t clockNs, uint32_t pid);

// The usage text, one option a line, ending in a newline.
std::string usageText(std::string_view programName);

// "varlenscr 1.0"
std::string versionText();
