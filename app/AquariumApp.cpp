#include "AquariumApp.h"

#include "AssetStore.h"
#include "AquariumView.h"
#include "DisplayPlatform.h"
#include "HostWindowWatcher.h"
#include "MainFrame.h"
#include "ResourceImages.h"
#include "SingleInstanceLock.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// Ends at once with code 0: nothing is saved, so nothing is lost.
[[noreturn]] void endNow()
{
    std::fflush(nullptr);
    removeEmptyRunFolders();
    ::_exit(0);
}

void endOnSignal(int)
{
    removeEmptyRunFolders();
    ::_exit(0);
}

// Drops every input event: a screensaver guest takes no mouse, key or wheel input.
class InputSink : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::Enter:
        case QEvent::Leave:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

AquariumApp::AquariumApp(int &argcRef, char **argvRef, const LaunchOptions &launch)
    : argc(argcRef), argv(argvRef), options(launch)
{
    qtArgv[0] = argc > 0 ? argv[0] : nullptr;
}

AquariumApp::~AquariumApp()
{
    frame.reset();
    inputSink.reset();
    host.reset(); // and the view, its child
    watcher.reset();
    qapp.reset();
}

AquariumView *AquariumApp::view() const { return frame ? frame->view() : guestView; }

bool AquariumApp::initInstance()
{
    if (options.mode == LaunchOptions::Mode::Screensaver)
        return startGuest();
    return startStandalone();
}

bool AquariumApp::startStandalone()
{
    if (!SingleInstanceLock::acquire("FirstMyProject_Zuvo"))
        std::exit(0);
    if (!SingleInstanceLock::acquire("VarlenScr"))
        return false;

    if (!QApplication::instance()) {
        // Qt would abort where it cannot use the display it picks.
        std::string why;
        if (!useDisplayPlatform(&why)) {
            std::fprintf(stderr, "varlenscr: %s\n", why.c_str());
            startFailed = true;
            return false;
        }
        qapp = std::make_unique<QApplication>(qtArgc, qtArgv);
    }
    // Where the application's own profile values live (read-only here).
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VarlenScr"));
    QApplication::setWindowIcon(applicationIcon());

    setMessageReporter([](const std::string &text, const std::string &caption) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Ok);
        box.exec();
    });

    AquariumView::RunOptions run;
    run.tickMs = options.tickMs;
    run.sound = options.sound;
    run.showFps = options.showFps;
    const bool windowed = options.mode == LaunchOptions::Mode::Window;
    frame = windowed ? std::make_unique<CMainFrame>(QSize(options.windowWidth, options.windowHeight))
                     : std::make_unique<CMainFrame>();
    if (!frame->onCreate(run)) {
        frame.reset();
        return false;
    }
    if (windowed) {
        frame->show();
    } else {
        frame->setWindowState(Qt::WindowFullScreen);
        frame->show();
        frame->activateWindow();
    }
    return true;
}

bool AquariumApp::startGuest()
{
    // The host stops its guests with a signal, often within moments of starting them.
    struct sigaction action = {};
    action.sa_handler = endOnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);

    // Whatever goes wrong is said on stderr: a dialog box would be a top-level window.
    setMessageReporter([](const std::string &text, const std::string &caption) {
        std::fprintf(stderr, "varlenscr: %s: %s\n", caption.c_str(), text.c_str());
    });

    // The host hands over an X window: speak X11 even where Qt would pick Wayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (!QApplication::instance())
        qapp = std::make_unique<QApplication>(qtArgc, qtArgv);
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VarlenScr"));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    watcher = std::make_unique<HostWindowWatcher>();
    QString why;
    if (!watcher->watch(options.hostWindow, &why)) {
        std::fprintf(stderr, "varlenscr: %s\n", qPrintable(why));
        startFailed = true;
        return false;
    }
    host.reset(QWindow::fromWinId(watcher->window()));
    if (!host) {
        std::fprintf(stderr, "varlenscr: cannot use X window 0x%x\n", watcher->window());
        startFailed = true;
        return false;
    }

    guestView = new AquariumView(host.get());
    guestView->setFlags(Qt::Widget | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    inputSink = std::make_unique<InputSink>();
    guestView->installEventFilter(inputSink.get());
    auto fitHost = [this](QSize devicePixels) {
        // Rounded up: with a fractional ratio a pixel too many is cut off by the host,
        // a pixel too few would leave a line of its background.
        const qreal ratio = guestView->devicePixelRatio();
        const QSize logical(int(std::ceil(devicePixels.width() / ratio)), int(std::ceil(devicePixels.height() / ratio)));
        guestView->setGeometry(QRect(QPoint(0, 0), logical));
    };
    fitHost(watcher->size());
    QObject::connect(watcher.get(), &HostWindowWatcher::resized, guestView, fitHost);
    QObject::connect(watcher.get(), &HostWindowWatcher::mappedChanged, guestView, &AquariumView::setHostMapped);
    QObject::connect(watcher.get(), &HostWindowWatcher::hostDestroyed, [] { endNow(); });

    guestView->runOptions.tickMs = options.tickMs;
    guestView->runOptions.sound = options.sound;
    guestView->runOptions.showFps = options.showFps;
    // Several guests (one per monitor) read the settings file at once.
    guestView->runOptions.settingsReadOnly = true;
    guestView->setHostMapped(watcher->isMapped());
    guestView->onCreate(nullptr);
    if (!guestView->glContext()) {
        startFailed = true;
        return false;
    }
    guestView->show();
    return true;
}

int AquariumApp::exec() { return QApplication::exec(); }
