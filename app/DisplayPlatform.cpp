#include "DisplayPlatform.h"

#include <QByteArray>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

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

} // namespace

DisplayChoice chooseDisplayPlatform(const DisplayProbe &probe)
{
    DisplayChoice choice;
    if (probe.platformForced)
        return choice;
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
    if (probe.waylandReachable) {
        choice.error = "cannot open display: the Wayland display \"" + probe.waylandDisplay
            + "\" needs Qt's Wayland platform (package qt6-wayland), and no X display can be opened";
    } else if (!probe.xDisplay.empty()) {
        choice.error = "cannot open display \"" + probe.xDisplay + "\"";
    } else if (!probe.waylandDisplay.empty()) {
        choice.error = "cannot open display: the Wayland display \"" + probe.waylandDisplay + "\" does not answer";
    } else {
        choice.error = "cannot open display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    return choice;
}

DisplayProbe probeDisplays()
{
    DisplayProbe probe;
    probe.platformForced = !environment("QT_QPA_PLATFORM").empty();
    if (probe.platformForced)
        return probe;
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
