// The real program as a screensaver guest: host windows made here with Xlib, the
// program started on them, what the screen shows read back from the X server. Every
// wait is a bounded poll that ends as soon as its condition holds; every guest is killed
// at the end of its test, and dies with the test program should that be killed.
#include "PrivatePulseServer.h"
#include "TestApplication.h"
#include "WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <functional>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "HostWindow.h" // Xlib last: its macros clash with Qt's names

namespace {

// No fish, the picture surface shown, no bubbles: a scene that stays much the same
// from frame to frame. A writer would complete this file with many more keys.
QByteArray settingsText()
{
    QByteArray text = "[Aquarium Settings]\nBACKGROUND=0\nQIPAONUM=110\n[Fish Number]\n";
    for (int i = 0; i < 25; ++i)
        text += "Fish" + QByteArray::number(i) + "=0\n";
    return text;
}

// The program, started with its own runtime and settings directories.
class Guest {
public:
    Guest(const QStringList &args, const QMap<QString, QString> &extraEnv = {}, const QByteArray &moreSettings = {})
    {
        testApplication<QCoreApplication>();
        QDir(config.path()).mkpath(QStringLiteral("VarlenScr"));
        QFile file(settingsFile());
        file.open(QIODevice::WriteOnly);
        file.write(settingsText() + moreSettings);
        file.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.remove(QStringLiteral("XSCREENSAVER_WINDOW"));
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        if (!env.contains(QStringLiteral("PULSE_SERVER")))
            env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent")); // no sound by accident
        for (auto it = extraEnv.begin(); it != extraEnv.end(); ++it) {
            if (it.value().isNull())
                env.remove(it.key());
            else
                env.insert(it.key(), it.value());
        }
        process.setProcessEnvironment(env);
        process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        process.start(QStringLiteral(VARLENSCR_BINARY), args);
        process.waitForStarted(10000);
    }
    ~Guest()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    QString settingsFile() const { return config.path() + QStringLiteral("/VarlenScr/VarlenSet.ini"); }
    bool running() { return process.state() == QProcess::Running; }
    // Ends within `ms` milliseconds with exit code 0.
    bool endsWithCodeZero(int ms)
    {
        return process.waitForFinished(ms) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    std::string errors() { return process.readAllStandardError().toStdString(); }

    // User and system CPU time so far, in seconds.
    double cpuSeconds() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(process.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray text = stat.readAll();
        // Fields after the command name (which may hold blanks): state is field 3,
        // utime field 14, stime field 15.
        const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
        return (f.value(11).toDouble() + f.value(12).toDouble()) / double(::sysconf(_SC_CLK_TCK));
    }
    // CPU seconds used over the next `ms` milliseconds.
    double cpuSecondsOver(int ms) const
    {
        const double start = cpuSeconds();
        QThread::msleep(ms);
        return cpuSeconds() - start;
    }

    QTemporaryDir runtime, config;
    QProcess process;
};

QString hex(Window w) { return QStringLiteral("0x") + QString::number(w, 16); }

int countColour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff) ? 1 : 0;
    return n;
}

// The picture shows the aquarium: none of the host's background is left and the water
// is there.
bool showsAquarium(const QImage &image)
{
    if (image.isNull() || countColour(image, HostWindow::kBackground) != 0)
        return false;
    qint64 sum = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            sum += qBlue(image.pixel(x, y));
    return sum / ((image.height() / 4 + 1) * (image.width() / 4 + 1)) > 40;
}

bool showsAquarium(const HostWindow &host) { return showsAquarium(host.grab()); }

// The client messages (what a window manager is sent) that reach the root window or
// `host`, from the moment this is made: sent for the window manager, or to the host's
// maker, they come to the test's own connection.
class ClientMessages {
public:
    explicit ClientMessages(Window host) : host(host)
    {
        Display *d = HostWindow::display();
        XSelectInput(d, DefaultRootWindow(d), StructureNotifyMask);
        XSelectInput(d, host, StructureNotifyMask | SubstructureNotifyMask);
        count();
        seen.clear();
    }
    ~ClientMessages()
    {
        Display *d = HostWindow::display();
        XSelectInput(d, DefaultRootWindow(d), NoEventMask);
        XSelectInput(d, host, NoEventMask);
        XSync(d, True);
    }
    // The names of the messages seen so far.
    const std::vector<std::string> &count()
    {
        Display *d = HostWindow::display();
        XSync(d, False);
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == ClientMessage) {
                char *name = XGetAtomName(d, event.xclient.message_type);
                seen.push_back(name ? name : "?");
                XFree(name);
            }
        }
        return seen;
    }

private:
    Window host;
    std::vector<std::string> seen;
};
constexpr int kStartMs = 30000; // start-up on a busy machine, generously

// Mean colour (r, g, b) of each quadrant: top left, top right, bottom left, bottom right.
std::array<std::array<double, 3>, 4> quadrantMeans(const QImage &image)
{
    std::array<std::array<double, 3>, 4> out{};
    const int w = image.width(), h = image.height();
    for (int q = 0; q < 4; ++q) {
        const int x0 = (q % 2) * w / 2, y0 = (q / 2) * h / 2;
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int y = y0; y < y0 + h / 2; ++y)
            for (int x = x0; x < x0 + w / 2; ++x, ++n) {
                const QRgb p = image.pixel(x, y);
                r += qRed(p), g += qGreen(p), b += qBlue(p);
            }
        out[q] = {r / n, g / n, b / n};
    }
    return out;
}

TEST(Screensaver, fillsHostsOfEverySizeWithTheSameSceneScaled)
{
    ASSERT_NE(HostWindow::display(), nullptr);
    const QSize sizes[] = {{320, 200}, {1280, 800}};
    std::vector<std::array<std::array<double, 3>, 4>> means;
    for (QSize size : sizes) {
        SCOPED_TRACE(size.width());
        HostWindow host(0, 0, size.width(), size.height());
        Guest guest({QStringLiteral("--window-id"), hex(host.id())});
        ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();

        const std::vector<Window> children = host.children();
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(HostWindow::sizeOf(children[0]), size);
        EXPECT_TRUE(HostWindow::viewableTopLevelWindowsOf(guest.process.processId()).empty())
            << "the guest opened a top-level window";
        // Past the help text, then the scene as it swims.
        QThread::msleep(2500);
        means.push_back(quadrantMeans(host.grab()));
        QFile settings(guest.settingsFile());
        ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
        EXPECT_EQ(settings.readAll(), settingsText()) << "a guest only reads the settings file";
    }
    for (int q = 0; q < 4; ++q)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(means[0][q][c], means[1][q][c], 20) << "quadrant " << q << " channel " << c;
}

struct IdCase {
    const char *name;
    QStringList args;     // "{host}" and "{decoy}" stand for the two windows' hex ids
    const char *variable; // XSCREENSAVER_WINDOW: "{host}", "{hostDecimal}", "{decoy}"; null: unset
};

class ScreensaverIds : public ::testing::TestWithParam<IdCase> {};

TEST_P(ScreensaverIds, drawsIntoTheWindowItIsGivenAndNowhereElse)
{
    const IdCase &c = GetParam();
    HostWindow host(0, 0, 320, 200), decoy(400, 0, 320, 200);
    auto fill = [&](QString s) {
        return s.replace(QStringLiteral("{hostDecimal}"), QString::number(host.id()))
            .replace(QStringLiteral("{host}"), hex(host.id()))
            .replace(QStringLiteral("{decoy}"), hex(decoy.id()));
    };
    QStringList args;
    for (const QString &a : c.args)
        args << fill(a);
    ClientMessages messages(host.id());
    Guest guest(args, {{QStringLiteral("XSCREENSAVER_WINDOW"), c.variable ? fill(c.variable) : QString()}});
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();
    EXPECT_EQ(host.children().size(), 1u);
    EXPECT_TRUE(decoy.children().empty());
    EXPECT_EQ(countColour(decoy.grab(), HostWindow::kBackground), 320 * 200);
    // A guest's window is no business of a window manager: the guest tells it nothing.
    const std::vector<std::string> &sent = messages.count();
    EXPECT_TRUE(sent.empty()) << sent.size() << " messages, the first " << sent.front();
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, ScreensaverIds,
    ::testing::Values(IdCase{"windowIdHex", {"--window-id", "{host}"}, nullptr},
                      IdCase{"windowIdDecimalOneDash", {"-window-id", "{hostDecimal}"}, nullptr},
                      IdCase{"rootVariableHex", {"--root"}, "{host}"},
                      IdCase{"rootVariableDecimal", {"-root"}, "{hostDecimal}"},
                      IdCase{"windowIdWinsOverVariable", {"--root", "--window-id", "{host}"}, "{decoy}"}),
    [](const auto &info) { return std::string(info.param.name); });

// Debian's openbox on the test's display, for the life of the object, with settings
// folders of its own.
class WindowManager {
public:
    WindowManager()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            env.insert(QString::fromLatin1(name), home.path());
        process.setProcessEnvironment(env);
        process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty())
            return;
        process.start(program, {QStringLiteral("--sm-disable")});
        running = process.waitForStarted(10000) && waitFor([&] { return process.state() != QProcess::Running || managing(); }, 10000)
            && process.state() == QProcess::Running;
    }
    ~WindowManager()
    {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // The windows it manages: the root window's _NET_CLIENT_LIST.
    static std::vector<Window> clients() { return windowList(DefaultRootWindow(HostWindow::display()), "_NET_CLIENT_LIST"); }
    // _NET_WM_PID of `w`, 0 when it has none.
    static long pidOf(Window w)
    {
        const std::vector<Window> pid = windowList(w, "_NET_WM_PID", XA_CARDINAL);
        return pid.empty() ? 0 : long(pid[0]);
    }

    bool running = false;

private:
    // Its check window stands on the root, named in the root's _NET_SUPPORTING_WM_CHECK.
    static bool managing()
    {
        Display *d = HostWindow::display();
        const std::vector<Window> check = windowList(DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK");
        const std::vector<Window> top = HostWindow::topLevelWindows();
        return !check.empty() && std::find(top.begin(), top.end(), check[0]) != top.end();
    }
    static std::vector<Window> windowList(Window w, const char *property, Atom type = XA_WINDOW)
    {
        Display *d = HostWindow::display();
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        std::vector<Window> out;
        if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 1024, False, type, &actual, &format, &count,
                               &after, &data) == Success && data) {
            if (format == 32)
                out.assign(reinterpret_cast<unsigned long *>(data), reinterpret_cast<unsigned long *>(data) + count);
            XFree(data);
        }
        return out;
    }

    QTemporaryDir home;
    QProcess process;
};

// The root window's background in one colour for the life of the object, then the
// server's own again.
class RootBackground {
public:
    explicit RootBackground(unsigned long colour)
    {
        Display *d = HostWindow::display();
        XSetWindowBackground(d, DefaultRootWindow(d), colour);
        XClearWindow(d, DefaultRootWindow(d));
        XSync(d, False);
    }
    ~RootBackground()
    {
        Display *d = HostWindow::display();
        XSetWindowBackgroundPixmap(d, DefaultRootWindow(d), None);
        XClearWindow(d, DefaultRootWindow(d));
        XSync(d, False);
    }
};

class ScreensaverRoot : public ::testing::TestWithParam<QStringList> {};

TEST_P(ScreensaverRoot, drawsOnTheRootWindowItselfUnseenByTheWindowManager)
{
    Display *d = HostWindow::display();
    ASSERT_NE(d, nullptr);
    const Window root = DefaultRootWindow(d);
    WindowManager manager;
    ASSERT_TRUE(manager.running) << "openbox did not start";
    RootBackground background(HostWindow::kBackground);
    QStringList args = GetParam();
    args.replaceInStrings(QStringLiteral("{root}"), hex(root));
    Guest guest(args);
    const long pid = long(guest.process.processId());
    // The whole screen: the frame and its help text are laid out for the root's size.
    const QSize screen = HostWindow::sizeOf(root);
    ASSERT_TRUE(waitFor([&] { return showsAquarium(HostWindow::grabScreen(0, 0, screen.width(), screen.height())); },
                        kStartMs))
        << guest.errors();
    for (Window w : WindowManager::clients())
        EXPECT_NE(WindowManager::pidOf(w), pid) << "the window manager manages window " << hex(w).toStdString();
    EXPECT_TRUE(HostWindow::viewableTopLevelWindowsOf(pid).empty());
    ::kill(pid_t(pid), SIGTERM);
    EXPECT_TRUE(guest.endsWithCodeZero(2000)) << guest.errors();
}

INSTANTIATE_TEST_SUITE_P(Root, ScreensaverRoot,
                         ::testing::Values(QStringList{QStringLiteral("--root")},
                                           QStringList{QStringLiteral("--window-id"), QStringLiteral("{root}")}),
                         [](const auto &info) { return info.index == 0 ? std::string("root") : std::string("windowIdOfRoot"); });

TEST(Screensaver, twoHostsAtOnceBothDraw)
{
    HostWindow left(0, 0, 320, 200), right(400, 0, 320, 200);
    Guest a({QStringLiteral("--window-id"), hex(left.id())});
    Guest b({QStringLiteral("-root")}, {{QStringLiteral("XSCREENSAVER_WINDOW"), QString::number(right.id())}});
    EXPECT_TRUE(waitFor([&] { return showsAquarium(left) && showsAquarium(right); }, kStartMs))
        << a.errors() << b.errors();
    EXPECT_TRUE(a.running());
    EXPECT_TRUE(b.running());
}

TEST(Screensaver, followsTheHostsSizeMapStateAndEnd)
{
    HostWindow host(0, 0, 320, 200);
    Guest guest({QStringLiteral("--window-id"), hex(host.id())});
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();

    host.resize(640, 400);
    EXPECT_TRUE(waitFor([&] { return HostWindow::sizeOf(host.children().at(0)) == QSize(640, 400); }, 2000));
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, 2000));

    const double mapped = guest.cpuSecondsOver(3000);
    host.unmap();
    QThread::msleep(300); // the unmap reaches the guest
    const double unmapped = guest.cpuSecondsOver(3000);
    EXPECT_GT(mapped, 0.05);
    EXPECT_LT(unmapped, mapped / 10) << "CPU seconds over 3 s: mapped " << mapped << ", unmapped " << unmapped;

    host.map();
    const QImage first = host.grab();
    QThread::msleep(1000);
    EXPECT_NE(host.grab(), first) << "drawing resumes once the host is mapped again";

    host.destroy();
    EXPECT_TRUE(guest.endsWithCodeZero(2000)) << guest.errors();
}

// A preview inside a settings window: the host stays mapped, its parent is hidden (the
// window minimised), and the host cannot be seen.
TEST(Screensaver, stopsDrawingWhileAnAncestorOfTheHostIsHidden)
{
    HostWindow outer(0, 0, 320, 200);
    Display *d = HostWindow::display();
    XSetWindowAttributes a = {};
    a.background_pixel = HostWindow::kBackground;
    const Window inner = XCreateWindow(d, outer.id(), 0, 0, 320, 200, 0, CopyFromParent, InputOutput, CopyFromParent,
                                       CWBackPixel, &a);
    XMapWindow(d, inner);
    XSync(d, False);
    Guest guest({QStringLiteral("--window-id"), hex(inner)});
    ASSERT_TRUE(waitFor([&] { return showsAquarium(outer); }, kStartMs)) << guest.errors();

    const double shown = guest.cpuSecondsOver(2000);
    outer.unmap(); // the host itself stays mapped
    QThread::msleep(300);
    const double hidden = guest.cpuSecondsOver(2000);
    EXPECT_GT(shown, 0.05);
    EXPECT_LT(hidden, shown / 10) << "CPU seconds over 2 s: shown " << shown << ", parent hidden " << hidden;
    outer.map();
    ASSERT_TRUE(waitFor([&] { return showsAquarium(outer); }, 5000));
    const QImage first = outer.grab();
    QThread::msleep(1000);
    EXPECT_NE(outer.grab(), first) << "drawing resumes once the parent is shown again";
}

class ScreensaverSignals : public ::testing::TestWithParam<int> {};

TEST_P(ScreensaverSignals, endPromptlyWithCodeZeroAndLeaveNothingBehind)
{
    HostWindow host(0, 0, 320, 200);
    Guest guest({QStringLiteral("--window-id"), hex(host.id())});
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();
    const qint64 pid = guest.process.processId();
    ::kill(pid_t(pid), GetParam());
    EXPECT_TRUE(guest.endsWithCodeZero(1000)) << guest.errors();
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/%1").arg(pid)));
    // The guest's window goes with it.
    EXPECT_TRUE(waitFor([&] { return host.children().empty(); }, 2000));
}

INSTANTIATE_TEST_SUITE_P(Signals, ScreensaverSignals, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// Behind a locked screen nobody can answer a message box: a picture of the user's own
// that does not load is one line on stderr, and the aquarium shows without it.
struct OwnPictureCase {
    const char *name;
    const char *picture; // "{dir}" stands for a folder of the test's own
    const char *content; // written there first; null: no such file
};

class ScreensaverOwnPictures : public ::testing::TestWithParam<OwnPictureCase> {};

TEST_P(ScreensaverOwnPictures, sayOnStderrWhatFailsAndDrawWithoutIt)
{
    const OwnPictureCase &c = GetParam();
    QTemporaryDir pictures;
    const QString path = QString::fromUtf8(c.picture).replace(QStringLiteral("{dir}"), pictures.path());
    if (c.content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
    }
    HostWindow host(0, 0, 640, 400);
    Guest guest({QStringLiteral("--window-id"), hex(host.id())}, {},
                "[Custom Images]\nOwnImage=1\nImageSum=1\nImageList0=" + path.toUtf8() + "\n");
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();
    EXPECT_TRUE(HostWindow::viewableTopLevelWindowsOf(guest.process.processId()).empty())
        << "the guest opened a top-level window";
    QString errors;
    QElapsedTimer listened;
    listened.start();
    while (listened.elapsed() < 1500) { // anything said late is said by now
        guest.process.waitForReadyRead(50);
        errors += QString::fromStdString(guest.errors());
    }
    EXPECT_EQ(errors.count(path), 1) << errors.toStdString();
    EXPECT_TRUE(guest.running());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ScreensaverOwnPictures,
    ::testing::Values(OwnPictureCase{"missing", "{dir}/gone/unplugged.png", nullptr},
                      OwnPictureCase{"notAPicture", "{dir}/notes.png", "These are words, not pixels.\n"}),
    [](const auto &info) { return std::string(info.param.name); });

// Another user of the machine made files of the lock names in the shared temporary folder
// (and its name for a per-user folder of ours), left them open to all and holds locks on
// them: none of it is ours, so none of it can stop us.
TEST(Screensaver, anotherUsersLocksInTheSharedFolderStopNothing)
{
    QTemporaryDir shared; // stands for /tmp
    ASSERT_EQ(::chmod(shared.path().toLocal8Bit().constData(), 01777), 0);
    const QString dir = shared.path();
    QProcess other; // as nobody
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.setChildProcessModifier([] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::setpgid(0, 0); // each flock forks the next: the group ends them all
    });
    other.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                 QStringLiteral("sh"), QStringLiteral("-c"),
                 QStringLiteral("umask 0; cd \"$0\" && mkdir -m 0777 VarlenScr-%1 && "
                                "exec flock VarlenScr.lock flock FirstMyProject_Zuvo.lock "
                                "flock VarlenScr-assets.lock sh -c 'echo held; exec sleep 60'")
                     .arg(::geteuid()),
                 dir});
    ASSERT_TRUE(other.waitForReadyRead(10000)) << "the other user's locks";
    ASSERT_EQ(other.readAllStandardOutput(), QByteArray("held\n"));

    const QMap<QString, QString> noRuntime = {{QStringLiteral("XDG_RUNTIME_DIR"), QString()},
                                              {QStringLiteral("TMPDIR"), dir}};
    HostWindow host(0, 0, 320, 200);
    Guest guest({QStringLiteral("--window-id"), hex(host.id())}, noRuntime);
    EXPECT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();

    Guest standalone({QStringLiteral("--window"), QStringLiteral("--geometry"), QStringLiteral("320x200")}, noRuntime);
    EXPECT_FALSE(standalone.process.waitForFinished(3000))
        << "exit " << standalone.process.exitCode() << ": " << standalone.errors();
    ::kill(-pid_t(other.processId()), SIGKILL);
    other.waitForFinished();
}

struct LineCase {
    QStringList args;
    bool display;
    int exitCode;
    const char *out; // expected in stdout, or in stderr when the exit code is 1
    const char *deadDisplay = nullptr; // DISPLAY names this display, where no server answers
};

class ProgramCommandLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProgramCommandLine, answersOrRefusesWithoutOpeningAWindow)
{
    const LineCase &c = GetParam();
    // Without a display, a program that tried to open a window would abort instead.
    const QString display = c.deadDisplay ? QString::fromLatin1(c.deadDisplay)
                          : c.display     ? qEnvironmentVariable("DISPLAY")
                                          : QString();
    Guest run(c.args, {{QStringLiteral("DISPLAY"), display}});
    ASSERT_TRUE(run.process.waitForFinished(5000));
    EXPECT_EQ(run.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process.exitCode(), c.exitCode);
    const QByteArray out = run.process.readAllStandardOutput(), err = run.process.readAllStandardError();
    EXPECT_TRUE((c.exitCode == 0 ? out : err).contains(c.out)) << out.toStdString() << err.toStdString();
    if (c.exitCode != 0) {
        EXPECT_TRUE(out.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgramCommandLine,
    ::testing::Values(LineCase{{"--version"}, false, 0, "varlenscr 1.0\n"},
                      LineCase{{"--help"}, false, 0, "--window-id ID"},
                      LineCase{{"-help"}, true, 0, "Usage:"},
                      LineCase{{"--bogus"}, false, 1, "unknown option: --bogus"},
                      LineCase{{"--window-id", "banana"}, false, 1, "not an X window id"},
                      LineCase{{"--window-id", "0"}, false, 1, "not an X window id"},
                      LineCase{{"--window-id", "99999999999"}, false, 1, "not an X window id"},
                      LineCase{{"--delay", "-5"}, false, 1, "not a delay"},
                      LineCase{{"--bogus"}, true, 1, "Usage:"},
                      LineCase{{"--seed", "-7"}, false, 1, "not a seed"},
                      // No display: one line and code 1 in every mode, never an abort.
                      LineCase{{}, false, 1, "cannot open display"},
                      LineCase{{"--window"}, false, 1, "cannot open display"},
                      LineCase{{"--root"}, false, 1, "cannot open display"},
                      LineCase{{"--window-id", "0x1234"}, false, 1, "cannot open display"},
                      // A display no server answers: named the same way in every mode.
                      LineCase{{"--window"}, false, 1, "cannot open display \":4711\"\n", ":4711"},
                      LineCase{{"--root"}, false, 1, "cannot open display \":4711\"\n", ":4711"},
                      // A well-formed id of no window on the display.
                      LineCase{{"--window-id", "0x7ffffff"}, true, 1, "no X window 0x7ffffff"}));

// What the guest plays, heard through a PulseAudio server of the test's own.
struct SoundCase {
    QStringList args;
    bool heard;
};

class ScreensaverSound : public ::testing::TestWithParam<SoundCase> {};

TEST_P(ScreensaverSound, silentUnlessAskedForSound)
{
    const SoundCase &c = GetParam();
    PrivatePulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << why.toStdString();
    HostWindow host(0, 0, 320, 200);
    QStringList args = {QStringLiteral("--window-id"), hex(host.id())};
    Guest guest(args + c.args, {{QStringLiteral("PULSE_SERVER"), QString::fromUtf8(server.address())}});
    ASSERT_TRUE(waitFor([&] { return showsAquarium(host); }, kStartMs)) << guest.errors();
    // The tune starts with the first frames; give a silent guest as long to be heard.
    const bool playing = waitFor([&] { return server.playingStreams() > 0; }, 8000);
    EXPECT_EQ(playing, c.heard);
    ASSERT_TRUE(server.startRecording());
    QByteArray samples;
    QElapsedTimer recorded;
    recorded.start();
    while (recorded.elapsed() < 2000) // read as it comes, so the recorder never stalls
        samples += server.stopRecording();
    const Recording recording(samples);
    if (c.heard)
        EXPECT_FALSE(recording.sounding(500).empty()) << "loudest: " << recording.peakRms() << " of " << samples.size() << " bytes";
    else
        EXPECT_LT(recording.peakRms(), 10);
}

INSTANTIATE_TEST_SUITE_P(Sound, ScreensaverSound,
                         ::testing::Values(SoundCase{{}, false}, SoundCase{{"--sound"}, true}));

} // namespace
