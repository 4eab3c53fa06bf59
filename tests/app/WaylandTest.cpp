// The real program as a Wayland client of weston. Each case starts its own weston on its
// own socket in its own runtime folder: headless (pixman) for what the compositor shows,
// or weston's X11 backend in a window of the test's X server for real keys and clicks
// (xdotool types into weston's window; weston hands the keys to the program). The
// compositor's own screenshots (weston-screenshooter, weston --debug) show what is drawn;
// the program's Wayland traffic (WAYLAND_DEBUG) shows which windows it opens.
#include "TestApplication.h"
#include "WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/prctl.h>

namespace {

enum class Backend { Headless, X11 };

// One weston and the program on it, each in the same private runtime folder.
class WestonSession {
public:
    explicit WestonSession(Backend backend)
    {
        testApplication<QCoreApplication>();
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        weston.setProcessEnvironment(env);
        weston.setProcessChannelMode(QProcess::MergedChannels);
        weston.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        QStringList args = {QStringLiteral("--socket=varlen-test"), QStringLiteral("--width=1680"),
                            QStringLiteral("--height=1050"), QStringLiteral("--use-pixman"),
                            QStringLiteral("--idle-time=0"), QStringLiteral("--debug")};
        args << (backend == Backend::Headless ? QStringLiteral("--backend=headless-backend.so")
                                              : QStringLiteral("--backend=x11-backend.so"));
        weston.start(QStringLiteral("weston"), args);
        weston.waitForStarted(10000);
        ready = waitFor([this] { return QFile::exists(socket()); }, 10000);
        if (backend == Backend::X11) // its window must be on the X screen before keys are sent
            ready = ready && waitFor([] { return xWindowTree().contains("\"Weston Compositor"); }, 10000);
    }
    ~WestonSession()
    {
        for (QProcess *p : {&program, &weston}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(10000);
            }
        }
    }
    QString socket() const { return runtime.path() + QStringLiteral("/varlen-test"); }

    // The program as a Wayland client only: no X display to fall back to, Qt's platform
    // left to the program.
    void startProgram(const QStringList &args, const QString &waylandDisplay = QStringLiteral("varlen-test"))
    {
        QDir(config.path()).mkpath(QStringLiteral("VarlenScr"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
        env.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
        for (const char *name : {"DISPLAY", "QT_QPA_PLATFORM", "XSCREENSAVER_WINDOW", "QT_SCALE_FACTOR"})
            env.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        program.start(QStringLiteral(VARLENSCR_BINARY), args);
        program.waitForStarted(10000);
    }
    bool running() { return program.state() == QProcess::Running; }
    // The program's Wayland requests and events so far. It talks on every frame, so
    // the read ends at a deadline, not at a pause that a fast machine never makes.
    const QByteArray &traffic()
    {
        QElapsedTimer reading;
        reading.start();
        while (reading.elapsed() < 200 && program.waitForReadyRead(20))
            trafficSeen += program.readAll();
        trafficSeen += program.readAll();
        return trafficSeen;
    }

    // What weston shows on its output now.
    QImage screenshot()
    {
        QProcess shooter;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("varlen-test"));
        shooter.setProcessEnvironment(env);
        shooter.setWorkingDirectory(shots.path());
        shooter.start(QStringLiteral("weston-screenshooter"));
        if (!shooter.waitForFinished(10000))
            shooter.kill();
        QImage image;
        for (const QString &name : QDir(shots.path()).entryList({QStringLiteral("*.png")})) {
            image.load(shots.filePath(name));
            QFile::remove(shots.filePath(name));
        }
        return image;
    }

    static QByteArray xWindowTree()
    {
        QProcess tree;
        tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        tree.waitForFinished(5000);
        return tree.readAllStandardOutput();
    }
    static bool xdotool(const QStringList &args)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), args);
        if (!tool.waitForFinished(10000)) {
            tool.kill();
            tool.waitForFinished();
            return false;
        }
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }

    bool ready = false;
    QTemporaryDir runtime, config, shots;
    QProcess weston, program;
    QByteArray trafficSeen;
};

// The share of the picture that is the tank's water: clearly blue-green, neither the
// compositor's grey background and panel nor black.
double waterShare(const QImage &image)
{
    if (image.isNull())
        return 0;
    int water = 0, all = 0;
    for (int y = 0; y < image.height(); y += 5)
        for (int x = 0; x < image.width(); x += 5, ++all) {
            const QRgb p = image.pixel(x, y);
            water += qBlue(p) > qRed(p) + 30 && qGreen(p) > qRed(p) + 15 ? 1 : 0;
        }
    return double(water) / all;
}

struct WaylandCase {
    const char *name;
    Backend backend;
    QStringList args;
    double minWaterShare;     // > 0: the compositor shows this much water
    QStringList menuKeys;     // typed with the popup menu open (empty: no menu)
    const char *dialogOpened; // the title of the dialog the keys open, as a child of the aquarium
    bool noDisplay = false;   // a Wayland display that does not answer and no X display
};

class WaylandSession : public ::testing::TestWithParam<WaylandCase> {};

TEST_P(WaylandSession, theProgramRunsAsANativeWaylandClient)
{
    const WaylandCase c = GetParam();
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()
        || QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"))
               .entryList({QStringLiteral("libqwayland*.so")}).isEmpty())
        GTEST_SKIP() << "weston or Qt's Wayland platform is not installed";
    if (c.backend == Backend::X11 && QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    WestonSession session(c.backend);
    ASSERT_TRUE(session.ready) << session.weston.readAll().toStdString();
    if (c.noDisplay) {
        // One line and exit code 1, not Qt's abort.
        session.startProgram(c.args, QStringLiteral("varlen-nobody"));
        ASSERT_TRUE(session.program.waitForFinished(10000));
        EXPECT_EQ(session.program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session.program.exitCode(), 1);
        const QByteArray said = session.traffic();
        EXPECT_TRUE(said.startsWith("varlenscr: cannot open display")) << said.toStdString();
        EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
        return;
    }
    session.startProgram(c.args);
    // The first frame comes once the compositor has shown the window.
    ASSERT_TRUE(waitFor([&] { return session.traffic().contains("wl_subsurface") || !session.running(); }, 15000));
    ASSERT_TRUE(session.running()) << session.traffic().right(2000).toStdString();

    if (c.minWaterShare > 0) {
        double share = 0;
        waitFor([&] { return (share = waterShare(session.screenshot())) >= c.minWaterShare; }, 15000);
        EXPECT_GE(share, c.minWaterShare) << "the compositor shows little or no tank";
    } else {
        QThread::msleep(2000);
    }
    if (c.menuKeys.isEmpty())
        return;

    // A right click on the tank opens the menu at the pointer (a popup of the aquarium's
    // window); the keys go to the menu, not to the aquarium.
    const QByteArray before = session.traffic();
    // The keys go to weston's window (no window manager gives it the focus).
    const QByteArray tree = WestonSession::xWindowTree();
    const int line = tree.indexOf("\"Weston Compositor");
    ASSERT_GE(line, 0);
    const QByteArray id = tree.left(line).split('\n').last().trimmed();
    WestonSession::xdotool({"windowfocus", QString::fromLatin1(id)});
    ASSERT_TRUE(WestonSession::xdotool({"mousemove", "600", "500", "sleep", "0.3", "mousemove", "700", "400",
                                        "sleep", "0.3", "click", "3"}));
    ASSERT_TRUE(waitFor([&] { return session.traffic().mid(before.size()).contains("get_popup"); }, 5000));
    QThread::msleep(500);
    for (const QString &key : c.menuKeys) {
        WestonSession::xdotool({"key", key});
        QThread::msleep(300);
    }
    if (c.dialogOpened)
        waitFor([&] { return session.traffic().mid(before.size()).contains(c.dialogOpened) || !session.running(); }, 5000);
    else
        QThread::msleep(1500);
    ASSERT_TRUE(session.running()) << "a key meant for the menu ended the program";
    const QByteArray after = session.traffic().mid(before.size());
    if (c.dialogOpened) {
        const int title = after.indexOf(QByteArray("set_title(\"") + c.dialogOpened);
        EXPECT_GE(title, 0) << "the dialog did not open";
        // xdg_toplevel.set_parent comes just before the title: the dialog is the
        // aquarium's child, for the compositor to place and stack it with it.
        const int parent = after.lastIndexOf("set_parent(xdg_toplevel@", title);
        EXPECT_GE(parent, 0) << "the dialog has no parent window";
        EXPECT_LT(title - parent, 400);
        // The aquarium stays full screen under its dialog.
        EXPECT_FALSE(after.contains("unset_fullscreen"));
        EXPECT_GE(waterShare(session.screenshot()), 0.5);
    } else {
        // The menu is gone and the aquarium still takes Esc: it ends the program.
        WestonSession::xdotool({"key", "Escape"});
        EXPECT_TRUE(session.program.waitForFinished(5000));
        EXPECT_EQ(session.program.exitCode(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Weston, WaylandSession,
    ::testing::Values(
        WaylandCase{"fullScreen", Backend::Headless, {}, 0.6, {}, nullptr},
        WaylandCase{"window", Backend::Headless, {"--window"}, 0.15, {}, nullptr},
        WaylandCase{"menuDownToCustomMusicAndReturn", Backend::X11, {}, 0.6,
                    {"Down", "Down", "Down", "Down", "Down", "Down", "Return"}, "Custom Music"},
        WaylandCase{"escapeClosesOnlyTheMenu", Backend::X11, {}, 0, {"Escape"}, nullptr},
        WaylandCase{"noDisplayToUse", Backend::Headless, {"--window"}, 0, {}, nullptr, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
