#include "AquariumApp.h"

#include "AssetStore.h"
#include "AquariumView.h"
#include "GlxRenderTarget.h"
#include "DialogPrompts.h"
#include "DisplayPlatform.h"
#include "HostWindowWatcher.h"
#include "MainFrame.h"
#include "ResourceImages.h"
#include "SingleInstanceLock.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace

AquariumApp::AquariumApp(int &argcRef, char **argvRef, const LaunchOptions &launch)
    : argc(argcRef), argv(argvRef), options(launch)
{
    qtArgv[0] = argc > 0 ? argv[0] : nullptr;
}

AquariumApp::~AquariumApp()
{
    frame.reset();
    guestView.reset();
    watcher.reset();
    qapp.reset();
}

AquariumView *AquariumApp::view() const { return frame ? frame->view() : guestView.get(); }

bool AquariumApp::initInstance()
{
    if (options.mode == LaunchOptions::Mode::Screensaver)
        return startGuest();
    return startStandalone();
}

bool AquariumApp::displayReachable()
{
    // Qt aborts where its platform cannot be opened: say why in one line instead. The
    // standalone program also picks Wayland or X11 here.
    if (QApplication::instance())
        return true;
    std::string why;
    if (options.mode == LaunchOptions::Mode::Screensaver)
        why = screensaverDisplayProblem();
    else
        useDisplayPlatform(&why);
    if (why.empty())
        return true;
    std::fprintf(stderr, "varlenscr: %s\n", why.c_str());
    startFailed = true;
    return false;
}

bool AquariumApp::startStandalone()
{
    if (!SingleInstanceLock::acquire("FirstMyProject_Zuvo"))
        std::exit(0);
    if (!SingleInstanceLock::acquire("VarlenScr"))
        return false;
    if (!displayReachable())
        return false;

    if (!QApplication::instance())
        qapp = std::make_unique<QApplication>(qtArgc, qtArgv);
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
    if (!displayReachable())
        return false;
    keepGuestOffAutolaunchedBus();

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

    // Nobody can answer a message box behind a locked screen.
    setNoOneToAsk(true);

    watcher = std::make_unique<HostWindowWatcher>();
    // Connected before watching: the host may be gone by the time the watch begins.
    QObject::connect(watcher.get(), &HostWindowWatcher::hostDestroyed, [] { endNow(); });
    QString why;
    if (!watcher->watch(options.hostWindow, &why)) {
        // A host that destroyed its window before the guest looked has stopped it:
        // that ends the run as its other stops do. An id of nothing is a mistake.
        startFailed = !watcher->hostAlreadyGone();
        if (startFailed)
            std::fprintf(stderr, "varlenscr: %s\n", qPrintable(why));
        else
            std::fprintf(stderr, "varlenscr: the host's window 0x%x is gone already\n", options.hostWindow);
        return false;
    }
    // Drawn through GLX on a window Qt never sees: the root window itself, or a plain
    // child of the host. A Qt window would be a top-level window of its own on the root,
    // and even as a child it announces window-manager states to the root.
    std::unique_ptr<GlxRenderTarget> target = GlxRenderTarget::create(watcher->window(), watcher->size(), &why);
    if (!target) {
        // The host may have destroyed its window since the watch began: a stop as well.
        startFailed = watcher->hostStillThere();
        if (startFailed)
            std::fprintf(stderr, "varlenscr: %s\n", qPrintable(why));
        else
            std::fprintf(stderr, "varlenscr: the host's window 0x%x is gone already\n", watcher->window());
        return false;
    }
    RenderTarget *drawable = target.get();
    guestView = std::make_unique<AquariumView>();
    guestView->setRenderTarget(std::move(target));
    QObject::connect(watcher.get(), &HostWindowWatcher::resized, guestView.get(), [this, drawable](QSize size) {
        drawable->resize(size);
        guestView->sizeChanged();
    });
    QObject::connect(watcher.get(), &HostWindowWatcher::mappedChanged, guestView.get(), &AquariumView::setHostMapped);

    guestView->runOptions.tickMs = options.tickMs;
    guestView->runOptions.sound = options.sound;
    guestView->runOptions.showFps = options.showFps;
    // Several guests (one per monitor) read the settings file at once.
    guestView->runOptions.settingsReadOnly = true;
    guestView->runOptions.keyHints = false; // no key reaches a guest
    guestView->setHostMapped(watcher->isMapped());
    guestView->onCreate(nullptr);
    if (!guestView->hasGl()) {
        startFailed = watcher->hostStillThere(); // else the host has stopped it meanwhile
        return false;
    }
    return true;
}

int AquariumApp::exec() { return QApplication::exec(); }
