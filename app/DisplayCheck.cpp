#include "DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
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

// Empty when the X server named by $DISPLAY answers, else the reason.
std::string xProblem()
{
    const std::string display = environment("DISPLAY");
    if (display.empty())
        return "cannot open display: DISPLAY is not set";
    xcb_connection_t *connection = xcb_connect(display.c_str(), nullptr);
    const bool open = connection && !xcb_connection_has_error(connection);
    if (connection)
        xcb_disconnect(connection);
    return open ? std::string() : "cannot open display " + display.substr(0, 64);
}

// True when a Wayland compositor listens where $WAYLAND_DISPLAY says.
bool waylandReachable()
{
    const std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty())
        return false;
    const std::string path = name[0] == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool reached = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return reached;
}

bool waylandSession()
{
    return !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

std::string displayProblem(LaunchOptions::Mode mode)
{
    if (mode == LaunchOptions::Mode::Screensaver) {
        const std::string why = xProblem();
        if (!why.empty() && environment("DISPLAY").empty() && waylandSession())
            return "screensaver mode needs X11, and this Wayland session has no X display";
        return why;
    }

    // $QT_QPA_PLATFORM: platform names separated by ';', each maybe with ":options".
    const std::string platforms = environment("QT_QPA_PLATFORM");
    bool wantsX = platforms.empty(), wantsWayland = platforms.empty();
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        std::string_view entry = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb")
            wantsX = true;
        else if (name.rfind("wayland", 0) == 0)
            wantsWayland = true;
        else if (!name.empty())
            return {}; // a platform of its own kind: Qt decides
    }
    if (wantsWayland && waylandReachable())
        return {};
    if (wantsX)
        return xProblem();
    return "cannot open display: no Wayland compositor at WAYLAND_DISPLAY=" + environment("WAYLAND_DISPLAY").substr(0, 64);
}

void keepGuestOffAutolaunchedBus()
{
    if (environment("DBUS_SESSION_BUS_ADDRESS").empty())
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null/no-session-bus", 1);
}
