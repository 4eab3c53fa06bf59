#include "DisplayPlatform.h"

#include <QByteArray>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// A value shown in a message, cut short: the environment may hold anything.
std::string shown(const std::string &value) { return value.substr(0, 64); }

bool waylandSocketAccepts(const std::string &display)
{
    if (display.empty())
        return false;
    const std::string path = display[0] == '/' ? display : environment("XDG_RUNTIME_DIR") + "/" + display;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool accepted = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return accepted;
}

bool waylandPluginInstalled()
{
    QStringList folders = QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString &folder : folders) {
        const QDir platforms(folder + QStringLiteral("/platforms"));
        if (!platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

bool xServerAccepts(const std::string &display)
{
    if (display.empty())
        return false;
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool accepted = connection && !xcb_connection_has_error(connection);
    if (connection)
        xcb_disconnect(connection);
    return accepted;
}

std::string noDisplayLine(const DisplayProbe &probe)
{
    if (probe.waylandReachable)
        return "cannot open display: the Wayland display \"" + shown(probe.waylandDisplay)
            + "\" needs Qt's Wayland platform (package qt6-wayland), and no X display can be opened";
    if (!probe.xDisplay.empty())
        return "cannot open display \"" + shown(probe.xDisplay) + "\"";
    if (!probe.waylandDisplay.empty())
        return "cannot open display: the Wayland display \"" + shown(probe.waylandDisplay) + "\" does not answer";
    return "cannot open display: neither DISPLAY nor WAYLAND_DISPLAY is set";
}

// The user's $QT_QPA_PLATFORM: platform names separated by ';', each maybe with
// ":options". Usable when one of them can be opened or is of a kind Qt opens without
// a display.
DisplayChoice forcedChoice(const DisplayProbe &probe)
{
    DisplayChoice choice;
    bool wantsX = false, wantsWayland = false;
    std::string_view rest = probe.forcedPlatforms;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view entry = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb")
            wantsX = true;
        else if (name.rfind("wayland", 0) == 0)
            wantsWayland = true;
        else if (!name.empty())
            return choice;
    }
    if ((wantsX && probe.xReachable) || (wantsWayland && probe.waylandReachable && probe.waylandPlugin))
        return choice;
    choice.usable = false;
    DisplayProbe asked = probe;
    if (!wantsWayland)
        asked.waylandReachable = false, asked.waylandDisplay.clear();
    if (!wantsX)
        asked.xDisplay.clear();
    choice.error = noDisplayLine(asked);
    return choice;
}

} // namespace

DisplayChoice chooseDisplayPlatform(const DisplayProbe &probe)
{
    if (!probe.forcedPlatforms.empty())
        return forcedChoice(probe);
    DisplayChoice choice;
    const bool wayland = probe.waylandReachable && probe.waylandPlugin;
    if (wayland && probe.xReachable)
        return choice;
    if (wayland) {
        choice.platform = "wayland";
        return choice;
    }
    if (probe.xReachable) {
        choice.platform = "xcb";
        return choice;
    }
    choice.usable = false;
    choice.error = noDisplayLine(probe);
    return choice;
}

DisplayProbe probeDisplays()
{
    DisplayProbe probe;
    probe.forcedPlatforms = environment("QT_QPA_PLATFORM");
    probe.waylandDisplay = environment("WAYLAND_DISPLAY");
    probe.waylandReachable = !environment("WAYLAND_SOCKET").empty() || waylandSocketAccepts(probe.waylandDisplay);
    probe.waylandPlugin = probe.waylandReachable && waylandPluginInstalled();
    probe.xDisplay = environment("DISPLAY");
    probe.xReachable = xServerAccepts(probe.xDisplay);
    return probe;
}

bool useDisplayPlatform(std::string *why)
{
    const DisplayChoice choice = chooseDisplayPlatform(probeDisplays());
    if (!choice.usable) {
        if (why)
            *why = choice.error;
        return false;
    }
    if (!choice.platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(choice.platform));
    return true;
}

std::string screensaverDisplayProblem()
{
    const std::string display = environment("DISPLAY");
    if (display.empty()) {
        if (!environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland")
            return "screensaver mode needs X11, and this Wayland session has no X display";
        return "cannot open display: DISPLAY is not set";
    }
    return xServerAccepts(display) ? std::string() : "cannot open display \"" + shown(display) + "\"";
}

void keepGuestOffAutolaunchedBus()
{
    if (environment("DBUS_SESSION_BUS_ADDRESS").empty())
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null/no-session-bus", 1);
}
