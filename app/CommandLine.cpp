#include "CommandLine.h"

#include <climits>

namespace {

constexpr long long kMaxDelayUs = 10'000'000; // 10 s between frames at most
constexpr int kMaxWindowSide = 16384;
constexpr std::size_t kMaxEchoed = 64; // of an argument quoted in a message

// An argument as a message shows it, on one line: control characters as '?', whole
// when short, else its start and "...".
std::string echoed(std::string_view text)
{
    std::string shown(text.substr(0, kMaxEchoed));
    for (char &c : shown)
        if ((unsigned char)c < 0x20 || c == 0x7f)
            c = '?';
    if (text.size() > kMaxEchoed)
        shown += "...";
    return shown;
}

// Decimal digits only, at most `max`; empty otherwise.
std::optional<long long> parseCount(std::string_view text, long long max)
{
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > max)
            return std::nullopt;
    }
    return value;
}

// "WxH" with both sides 1..16384.
bool parseGeometry(std::string_view text, int &width, int &height)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return false;
    const auto w = parseCount(text.substr(0, x), kMaxWindowSide);
    const auto h = parseCount(text.substr(x + 1), kMaxWindowSide);
    if (!w || !h || *w == 0 || *h == 0)
        return false;
    width = int(*w);
    height = int(*h);
    return true;
}

CommandLineResult failure(std::string message)
{
    CommandLineResult r;
    r.action = CommandLineResult::Action::Fail;
    r.error = std::move(message);
    return r;
}

} // namespace

std::optional<uint32_t> parseWindowId(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    if (value == 0)
        return std::nullopt;
    return uint32_t(value);
}

CommandLineResult parseCommandLine(const std::vector<std::string> &args, const char *xscreensaverWindow)
{
    CommandLineResult result;
    LaunchOptions &o = result.options;
    bool root = false, window = false, soundGiven = false;
    std::optional<uint32_t> windowId;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            return failure("unexpected argument: " + echoed(arg));
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        std::optional<std::string_view> inlineValue;
        if (const std::size_t eq = name.find('='); eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const bool takesValue = name == "window-id" || name == "delay" || name == "geometry" || name == "seed";
        if (inlineValue && !takesValue)
            return failure("option " + echoed(name) + " takes no value");
        std::string_view value;
        if (takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return failure("option " + echoed(arg) + " needs a value");
            }
        }

        if (name == "help") {
            result.action = CommandLineResult::Action::ShowHelp;
            return result;
        } else if (name == "version") {
            result.action = CommandLineResult::Action::ShowVersion;
            return result;
        } else if (name == "window-id") {
            windowId = parseWindowId(value);
            if (!windowId)
                return failure("not an X window id (decimal or 0x... hexadecimal, not 0): " + echoed(value));
        } else if (name == "root") {
            root = true;
        } else if (name == "window") {
            window = true;
        } else if (name == "geometry") {
            if (!parseGeometry(value, o.windowWidth, o.windowHeight))
                return failure("not a window size WxH (1 to 16384 each): " + echoed(value));
        } else if (name == "delay") {
            const auto us = parseCount(value, kMaxDelayUs);
            if (!us)
                return failure("not a delay in microseconds (0 to 10000000): " + echoed(value));
            o.tickMs = int((*us + 999) / 1000);
        } else if (name == "seed") {
            const auto seed = parseCount(value, UINT32_MAX);
            if (!seed)
                return failure("not a seed (0 to 4294967295): " + echoed(value));
            o.seed = uint32_t(*seed);
        } else if (name == "fps") {
            o.showFps = true;
        } else if (name == "sound") {
            o.sound = true;
            soundGiven = true;
        } else if (name == "no-sound") {
            o.sound = false;
            soundGiven = true;
        } else {
            return failure("unknown option: " + echoed(arg));
        }
    }

    if (windowId) {
        o.mode = LaunchOptions::Mode::Screensaver;
        o.hostWindow = *windowId;
    } else if (root) {
        o.mode = LaunchOptions::Mode::Screensaver;
        o.hostWindow = 0;
        if (xscreensaverWindow && *xscreensaverWindow) {
            const auto id = parseWindowId(xscreensaverWindow);
            if (!id)
                return failure(std::string("XSCREENSAVER_WINDOW is not an X window id: ") + echoed(xscreensaverWindow));
            o.hostWindow = *id;
        }
    } else if (window) {
        o.mode = LaunchOptions::Mode::Window;
    }
    // One instance runs per monitor, often behind a locked screen: quiet unless asked.
    if (!soundGiven)
        o.sound = o.mode != LaunchOptions::Mode::Screensaver;
    return result;
}

std::string usageText(std::string_view programName)
{
    std::string text = "Usage: " + std::string(programName) + " [options]\n";
    text += "A 3D aquarium; full screen on the primary screen without options.\n"
            "Options (each also with a single dash, e.g. -root):\n"
            "  --help                 show this text and exit\n"
            "  --version              show the version and exit\n"
            "  --window-id ID         draw into the X window ID (decimal or 0x... hexadecimal)\n"
            "  --root                 draw into $XSCREENSAVER_WINDOW when set, else the root window\n"
            "  --window               run in an ordinary resizable window\n"
            "  --geometry WxH         size of that window (default 800x600)\n"
            "  --delay MICROSECONDS   time between frames (default 10000)\n"
            "  --fps                  show frames and steps per second in a corner\n"
            "  --sound, --no-sound    play music or not (default: on, off with --window-id or --root)\n"
            "  --seed N               repeat the scene of seed N (default: a fresh scene each run)\n";
    return text;
}

uint32_t runSeed(const LaunchOptions &options, uint64_t clockNs, uint32_t pid)
{
    if (options.seed)
        return *options.seed;
    // splitmix64's finaliser: every bit of the clock and the pid moves every bit.
    uint64_t x = clockNs ^ (uint64_t(pid) << 32) ^ pid;
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return uint32_t(x ^ (x >> 32));
}

std::string versionText() { return "varlenscr 1.0"; }
