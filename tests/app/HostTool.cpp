// A screensaver host by hand, for pictures and for checks outside the test programs:
//   host_tool preview WxH out.png MS program [args...]
//       makes a host window of WxH at the top left of the screen, starts the program
//       with every "{id}" in its arguments replaced by the host's id (0x...), waits MS
//       milliseconds, saves what the host shows and ends the program.
//   host_tool grab X Y W H out.png
//       saves what the screen shows in that rectangle.
//   host_tool window TITLE out.png
//       saves what the screen shows where the first viewable top-level window named
//       TITLE is.
//   host_tool host WxH
//       makes a host window of WxH, prints its id (0x...) on a line of its own and keeps
//       it until SIGTERM, when it destroys the window (as hosts that cycle do) and ends a
//       second later.
// Each prints the mean colour of what it saved ("mean r g b") and the share of the
// host's background colour left in it ("background f"); exit code 0 when saved.

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "HostWindow.h" // Xlib last: its macros clash with Qt's names

namespace {

int save(const QImage &image, const char *path)
{
    if (image.isNull() || !image.save(QString::fromLocal8Bit(path)))
        return 1;
    double r = 0, g = 0, b = 0;
    qint64 background = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p);
            background += (p & 0xffffff) == HostWindow::kBackground ? 1 : 0;
        }
    const double n = double(image.width()) * image.height();
    std::printf("mean %.0f %.0f %.0f\nbackground %.3f\n", r / n, g / n, b / n, background / n);
    return 0;
}

Window findTopLevel(const char *title)
{
    for (Window w : HostWindow::viewableTopLevelWindows()) {
        char *name = nullptr;
        if (XFetchName(HostWindow::display(), w, &name) && name) {
            const bool same = std::strcmp(name, title) == 0;
            XFree(name);
            if (same)
                return w;
        }
    }
    return 0;
}

volatile std::sig_atomic_t hostEnds = 0;

void endHost(int) { hostEnds = 1; }

int usage()
{
    std::fprintf(stderr, "usage: host_tool preview WxH out.png MS program [args...]\n"
                         "       host_tool grab X Y W H out.png\n"
                         "       host_tool window TITLE out.png\n"
                         "       host_tool host WxH\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || !HostWindow::display())
        return usage();
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    const char *command = argv[1];
    if (std::strcmp(command, "grab") == 0 && argc == 7)
        return save(HostWindow::grabScreen(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                                           std::atoi(argv[5])),
                    argv[6]);
    if (std::strcmp(command, "window") == 0 && argc == 4) {
        const Window w = findTopLevel(argv[2]);
        XWindowAttributes a;
        if (!w || !XGetWindowAttributes(HostWindow::display(), w, &a))
            return 1;
        return save(HostWindow::grabScreen(a.x, a.y, a.width, a.height), argv[3]);
    }
    if (std::strcmp(command, "host") == 0 && argc == 3) {
        int w = 0, h = 0;
        if (std::sscanf(argv[2], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0)
            return usage();
        std::signal(SIGTERM, endHost);
        HostWindow host(0, 0, w, h);
        std::printf("0x%lx\n", static_cast<unsigned long>(host.id()));
        std::fflush(stdout);
        while (!hostEnds)
            QThread::msleep(5);
        host.destroy();
        QThread::msleep(1000); // a host lives on after its guest's window
        return 0;
    }
    if (std::strcmp(command, "preview") == 0 && argc >= 6) {
        int w = 0, h = 0;
        if (std::sscanf(argv[2], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0)
            return usage();
        HostWindow host(0, 0, w, h);
        const QString id = QStringLiteral("0x") + QString::number(host.id(), 16);
        QStringList args;
        for (int i = 6; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]).replace(QStringLiteral("{id}"), id);
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QString::fromLocal8Bit(argv[5]), args);
        if (!program.waitForStarted(10000))
            return 1;
        QThread::msleep(std::atoi(argv[4]));
        const int result = save(host.grab(), argv[3]);
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished(5000);
        }
        return result;
    }
    return usage();
}
