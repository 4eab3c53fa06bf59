// The shell driven for real: the program's own process for the single-instance guards,
// the frame and view in this process (under Xvfb) for ticks, mouse, keys and commands.
#include "AquariumApp.h"
#include "AquariumView.h"
#include "BuiltInTune.h"
#include "CustomMusicDialog.h"
#include "MainFrame.h"
#include "MusicGlobals.h"
#include "PopupMenuEntries.h"
#include "ProfileFile.h"
#include "ResourceImages.h"
#include "SingleInstanceLock.h"
#include "TestApplication.h"
#include "WaveFile.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

QApplication &app() { return testApplication<QApplication>(); }

// A private runtime and config directory per test, so locks and settings never meet
// those of a real session.
struct PrivateDirs {
    QTemporaryDir runtime, config;
    PrivateDirs()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_HOME", config.path());
        return env;
    }
};

bool waitUntilLockHeld(const QString &runtimeDir, const char *name, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QProcess probe;
        probe.start("flock", {"-n", runtimeDir + "/" + name + ".lock", "true"});
        probe.waitForFinished();
        if (probe.exitCode() != 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

TEST(AquariumApp, secondStartEndsAtOnceWithoutAWindow)
{
    PrivateDirs dirs;
    QProcess first;
    first.setProcessEnvironment(dirs.environment());
    first.start(VARLENSCR_BINARY);
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(waitUntilLockHeld(dirs.runtime.path(), "FirstMyProject_Zuvo", 10000))
        << first.state() << " " << first.readAllStandardError().toStdString();

    // The second copy gets a display that does not exist: had it gone as far as opening
    // a window, Qt would have aborted instead of ending with code 0. (Counting windows on
    // the shared test display would also count other tests' windows.)
    QProcessEnvironment secondEnv = dirs.environment();
    secondEnv.insert("DISPLAY", ":65001");
    secondEnv.insert("QT_QPA_PLATFORM", "xcb");
    QProcess second;
    second.setProcessEnvironment(secondEnv);
    second.start(VARLENSCR_BINARY);
    ASSERT_TRUE(second.waitForFinished(1000)) << "the second copy did not end within a second";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

TEST(AquariumApp, heldApplicationLockEndsQuietly)
{
    PrivateDirs dirs;
    // Another holder of the application's own lock, but not of the first one.
    QProcess holder;
    holder.start("flock", {dirs.runtime.path() + "/VarlenScr.lock", "sleep", "30"});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(waitUntilLockHeld(dirs.runtime.path(), "VarlenScr", 5000));

    QProcess program;
    program.setProcessEnvironment(dirs.environment());
    program.start(VARLENSCR_BINARY);
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    holder.kill();
    holder.waitForFinished();
}

class ShellDeath : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// Waits until the aquarium is drawn and, when the program was started whole, until it is
// the active program, as it is when a user acts on it. Before that its windows may still
// pass the focus between them, and a popup menu opened while the program is inactive
// for a moment is closed at once.
bool settled(const AquariumView *view, bool active)
{
    return QTest::qWaitFor([&] {
        return view->framesDrawn() > 0
            && (!active || QGuiApplication::applicationState() == Qt::ApplicationActive);
    }, 10000);
}

// Starts the whole program in this (forked) process and runs `act` on its view.
void startAndThen(const std::function<void(CMainFrame &)> &act)
{
    PrivateDirs dirs;
    static int argc = 1;
    static char name[] = "varlenscr";
    static char *argv[] = {name, nullptr};
    AquariumApp aquarium(argc, argv);
    if (!aquarium.initInstance())
        std::_Exit(3);
    if (!settled(aquarium.mainFrame()->view(), true))
        std::_Exit(5);
    act(*aquarium.mainFrame());
    std::_Exit(4); // act should not return
}

TEST_F(ShellDeath, escapeOnTheViewEndsWithCodeZero)
{
    EXPECT_EXIT(startAndThen([](CMainFrame &f) { QTest::keyClick(f.view(), Qt::Key_Escape); }),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(ShellDeath, escapeOnTheFrameEndsWithCodeZero)
{
    EXPECT_EXIT(startAndThen([](CMainFrame &f) { QTest::keyClick(&f, Qt::Key_Escape); }),
                ::testing::ExitedWithCode(0), "");
}

// While the menu opened by a right click at `at` is up, checks it and chooses entry
// `choice` (0-based). Returns the labels seen, in order.
QStringList rightClickAndChoose(AquariumView *view, QPoint at, int choice, QPoint *menuPos = nullptr)
{
    QStringList labels;
    QTimer::singleShot(200, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (menuPos)
            *menuPos = menu->pos();
        for (QAction *a : menu->actions())
            labels << a->text();
        if (choice >= 0 && choice < menu->actions().size())
            menu->setActiveAction(menu->actions()[choice]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mousePress(view, Qt::RightButton, {}, at);
    return labels;
}

TEST_F(ShellDeath, exitFromTheMenuEndsWithCodeZero)
{
    EXPECT_EXIT(startAndThen([](CMainFrame &f) { rightClickAndChoose(f.view(), QPoint(400, 300), 7); }),
                ::testing::ExitedWithCode(0), "");
}

TEST_F(ShellDeath, exitCommandEndsWithCodeZero)
{
    EXPECT_EXIT(startAndThen([](CMainFrame &f) { f.view()->onCommand(1042); }),
                ::testing::ExitedWithCode(0), "");
}

// Dialogs opened from the menu one after the other in one run, each closed by Esc
// pressed where the keyboard focus is: each dialog has the focus once shown (with no
// window manager too, as here), its Esc closes only the dialog, and Esc on the aquarium
// then ends the program (the line on stderr says every dialog closed before that).
class ShellDialogEsc : public ShellDeath, public ::testing::WithParamInterface<std::vector<int>> {};

TEST_P(ShellDialogEsc, escapeInEachOpenDialogHidesItAndEscapeOnTheAquariumEndsTheProgram)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    const std::vector<int> entries = GetParam();
    EXPECT_EXIT(startAndThen([entries](CMainFrame &f) {
                    const QPoint at = f.view()->mapToGlobal(QPoint(400, 300));
                    // Real pointer and key events from the X server, sent from a thread of
                    // their own: a dialog's own loop (Fish Settings) holds this one.
                    std::atomic<bool> done = false;
                    std::thread driver([&] {
                        const auto xdotool = [](const QStringList &args, int thenMs) {
                            QProcess::execute(QStringLiteral("xdotool"), args);
                            std::this_thread::sleep_for(std::chrono::milliseconds(thenMs));
                        };
                        for (int entry : entries) {
                            const QString x = QString::number(at.x()), y = QString::number(at.y());
                            xdotool({"mousemove", x, y, "click", "3"}, 700);
                            xdotool({"mousemove", QString::number(at.x() + 70),
                                     QString::number(at.y() + entry * kPopupItemHeight + kPopupItemHeight / 2),
                                     "click", "1"},
                                    1000);
                            xdotool({"key", "Escape"}, 700);
                        }
                        done = true;
                    });
                    // Which dialog has the keyboard focus, in order.
                    QStringList focused;
                    QTimer poll;
                    QObject::connect(&poll, &QTimer::timeout, [&] {
                        QWidget *active = QApplication::activeWindow();
                        const QString title = qobject_cast<QDialog *>(active) ? active->windowTitle() : QString();
                        if (!title.isEmpty() && (focused.isEmpty() || focused.back() != title))
                            focused << title;
                        else if (title.isEmpty() && !focused.isEmpty() && !focused.back().isEmpty())
                            focused << QString();
                    });
                    poll.start(50);
                    while (!done)
                        QTest::qWait(50);
                    driver.join();
                    QTest::qWait(300);
                    focused.removeAll(QString());
                    const char *titles[] = {"", "", "", "", "Fish Settings", "Custom Music", "Custom Background"};
                    if (focused.size() != int(entries.size()))
                        std::_Exit(6);
                    for (size_t i = 0; i < entries.size(); ++i)
                        if (!focused[int(i)].startsWith(QLatin1String(titles[entries[i]])))
                            std::_Exit(6);
                    for (QWidget *w : QApplication::topLevelWidgets())
                        if (w->isVisible() && qobject_cast<QDialog *>(w))
                            std::_Exit(7);
                    std::fprintf(stderr, "every dialog closed\n");
                    std::fflush(stderr);
                    QProcess::execute(QStringLiteral("xdotool"), {"mousemove", "500", "500", "key", "Escape"});
                    QTest::qWait(2000);
                    std::_Exit(8); // Esc on the aquarium should have ended the program
                }),
                ::testing::ExitedWithCode(0), "every dialog closed");
}

INSTANTIATE_TEST_SUITE_P(EachDialogInTurn, ShellDialogEsc,
                         ::testing::Values(std::vector<int>{5}, std::vector<int>{6},
                                           std::vector<int>{4, 5, 6, 5, 4, 6}));

// The frame and view in this process, without the single-instance guards.
class Shell : public ::testing::Test {
protected:
    PrivateDirs dirs;
    std::unique_ptr<CMainFrame> frame;
    AquariumView *view = nullptr;

    void SetUp() override
    {
        // No sound server: every sound plays silently, and the built-in tune reports that
        // it plays.
        qputenv("PULSE_SERVER", "unix:/nonexistent/varlenscr-test/native");
        // Each test starts as the program does, whatever the previous one left behind.
        ownMusicOn = true;
        builtInTuneRestart = 1;
        build();
    }
    void build()
    {
        app();
        frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(frame->onCreate());
        frame->show();
        view = frame->view();
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->glContext(), nullptr);
        ASSERT_TRUE(settled(view, false));
    }
    void TearDown() override { frame.reset(); }
};

TEST_F(Shell, frameCoversThePrimaryScreenWithoutDecoration)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(frame->geometry(), screen);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("VarlenScr"));
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(view->width(), screen.width());
    EXPECT_EQ(view->height(), screen.height());
}

// Counts, from outside the view, the timer events and the exposures Qt delivers to it.
struct DeliveredEvents : QObject {
    QWindow *window = nullptr;
    int timers = 0, exposures = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            ++timers;
        else if (event->type() == QEvent::Expose && window->isExposed())
            ++exposures;
        return false;
    }
};

TEST_F(Shell, oneFramePerTickAndExposure)
{
    // Frames are counted as they finish (the after-frame hook), ticks and exposures as Qt
    // hands them over; two exposures come in while the timer is stopped.
    DeliveredEvents delivered;
    delivered.window = view;
    int frames = 0;
    view->afterFrameHook = [&] { ++frames; };
    view->installEventFilter(&delivered);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered.timers >= 5; }, 10000));
    view->setFramesRunning(false);
    const int framesRunning = frames;
    for (int i = 0; i < 2; ++i) {
        QExposeEvent expose(QRegion(0, 0, 10, 10));
        QCoreApplication::sendEvent(view, &expose);
    }
    view->removeEventFilter(&delivered);
    view->afterFrameHook = nullptr;

    EXPECT_EQ(frames - framesRunning, 2);
    EXPECT_EQ(frames, delivered.timers + delivered.exposures);
}

TEST_F(Shell, eachTickRunsTheMusicHookAfterItsFrameAndTheBuiltInTuneStarts)
{
    // The music dialog's timer turns own music off (its box is unchecked) within 200 ms;
    // the view's next tick draws its frame and then starts the built-in tune.
    std::vector<std::pair<bool, int>> seenByFrames;  // own music, restart mark
    view->afterFrameHook = [&] { seenByFrames.emplace_back(ownMusicOn, builtInTuneRestart); };
    const auto tune = [&] { return view->findChild<BuiltInTune *>(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return tune() && tune()->isPlaying(); }, 5000));
    view->setFramesRunning(false);
    EXPECT_EQ(builtInTuneRestart, 0);
    const auto firstOff = std::find_if(seenByFrames.begin(), seenByFrames.end(), [](auto s) { return !s.first; });
    ASSERT_NE(firstOff, seenByFrames.end());
    EXPECT_EQ(firstOff->second, 1) << "the hook ran before the frame";

    // Tick by tick (the timer's own handler), own music switched on and off.
    struct Tick {
        bool ownMusic;
        int restartSeenByFrame;
        bool playingAfter;
    };
    const Tick ticks[] = {{false, 0, true}, {true, 0, false}, {true, 1, false}, {false, 1, true}, {false, 0, true}};
    for (size_t i = 0; i < std::size(ticks); ++i) {
        int seen = -1;
        view->afterFrameHook = [&] { seen = builtInTuneRestart; };
        ownMusicOn = ticks[i].ownMusic;
        view->onTimer();
        EXPECT_EQ(seen, ticks[i].restartSeenByFrame) << "tick " << i;
        EXPECT_EQ(tune()->isPlaying(), ticks[i].playingAfter) << "tick " << i;
    }
    view->afterFrameHook = nullptr;
}

TEST_F(Shell, slowFrameLeavesNoBacklogOfTicks)
{
    bool slow = true;
    view->afterFrameHook = [&] {
        if (slow) {
            slow = false;
            std::this_thread::sleep_for(std::chrono::milliseconds(300)); // 30 ticks' worth
        }
    };
    QTest::qWait(50); // the slow frame runs in here
    ASSERT_FALSE(slow);
    const int before = view->ticksHandled();
    // Everything queued during the slow frame is handled by one pass of the event loop.
    QCoreApplication::processEvents();
    EXPECT_LE(view->ticksHandled() - before, 1);
    view->afterFrameHook = nullptr;
}

struct MouseCase {
    int mode;
    int cursorUp, cursorHeld; // 0: the arrow
    bool pendingAfterQuickClick;
};

// No frame may take the click between press and release and the checks: neither the
// timer's nor one drawn for an exposure, as when a window of another test comes and goes
// over this full-screen one. Both would pick, and picking uses up the click.
struct NoExposureFrames : QObject {
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Expose; }
};

class ShellMouse : public Shell, public ::testing::WithParamInterface<MouseCase> {
protected:
    void SetUp() override
    {
        Shell::SetUp();
        view->setFramesRunning(false);
        view->installEventFilter(&noExposureFrames);
    }
    NoExposureFrames noExposureFrames;
};

QImage cursorImage(const QCursor &c) { return c.pixmap().toImage(); }

TEST_P(ShellMouse, pressReleaseAndCursorFollowTheMode)
{
    const MouseCase c = GetParam();
    view->onCommand(c.mode);
    EXPECT_EQ(view->pointer.interactionMode, c.mode);
    view->pointer.pickPending = false;
    view->pointer.feedClick = false;

    QTest::mouseMove(view, QPoint(300, 200));
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(view->pointer.mouseX, 300);
    EXPECT_EQ(view->pointer.mouseY, 200);
    EXPECT_TRUE(view->pointer.pickPending);
    EXPECT_EQ(view->pointer.feedClick, c.mode == 1036);
    if (c.cursorHeld)
        EXPECT_EQ(cursorImage(view->cursor()), cursorImage(resourceCursor(c.cursorHeld)));
    else
        EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(view->pointer.pickPending, c.pendingAfterQuickClick);
    if (c.cursorUp && !c.pendingAfterQuickClick) {
        EXPECT_EQ(cursorImage(view->cursor()), cursorImage(resourceCursor(c.cursorUp)));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ShellMouse,
                         ::testing::Values(MouseCase{1036, 163, 164, false},
                                           MouseCase{1035, 158, 159, true},
                                           MouseCase{1037, 167, 177, false},
                                           MouseCase{1038, 169, 178, false},
                                           MouseCase{1050, 0, 0, true}));

// The second press of a double click only updates the cursor: it neither feeds,
// touches nor zooms a second time.
TEST_P(ShellMouse, theSecondPressOfADoubleClickDoesNotActAgain)
{
    view->onCommand(GetParam().mode);
    const QPoint at(300, 200);
    QTest::mouseClick(view, Qt::LeftButton, {}, at);
    ASSERT_TRUE(view->pointer.pickPending || !GetParam().pendingAfterQuickClick);
    view->pointer.pickPending = false;  // as the next frame would
    view->pointer.feedClick = false;
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 50;  // 50 ms after the first

    QTest::mousePress(view, Qt::LeftButton, {}, at);

    EXPECT_FALSE(view->pointer.pickPending);
    EXPECT_FALSE(view->pointer.feedClick);
    QTest::mouseRelease(view, Qt::LeftButton, {}, at);
}

TEST_F(Shell, everyCommandIdBecomesTheMode)
{
    for (int id : {1035, 1036, 1037, 1038, 1050, 1052, 4711}) {
        view->onCommand(id);
        EXPECT_EQ(view->pointer.interactionMode, id);
    }
}

TEST_F(Shell, rightClickOpensTheMenuAtThePointerAndEachChoiceSetsTheMode)
{
    view->setFramesRunning(false);
    for (int i = 0; i < 4; ++i) { // the mode entries; the dialogs and Exit have tests of their own
        view->onCommand(4711);
        QPoint menuPos;
        const QPoint at(500 + 10 * i, 400);
        const QStringList labels = rightClickAndChoose(view, at, i, &menuPos);
        ASSERT_EQ(labels.size(), 8);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(labels[k].toStdString(), kPopupMenuItems[k].text);
        EXPECT_EQ(menuPos, view->mapToGlobal(at));
        EXPECT_EQ(view->pointer.interactionMode, kPopupMenuItems[i].commandId);
    }
}

TEST_F(Shell, dismissingTheMenuKeepsTheMode)
{
    view->onCommand(1037);
    QTimer::singleShot(200, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(view->pointer.interactionMode, 1037);
}

TEST_F(Shell, drawsOnlyWhileTheWindowIsShown)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isDrawing(); }, 5000));
    frame->hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isDrawing(); }, 5000));
    const int frames = view->framesDrawn();
    QTest::qWait(300);
    EXPECT_EQ(view->framesDrawn(), frames);
    frame->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->framesDrawn() > frames + 3; }, 5000));
}

TEST(ShellWindowed, anOrdinaryWindowWhoseSceneFollowsItsSize)
{
    app();
    PrivateDirs dirs;
    CMainFrame frame(QSize(800, 600));
    ASSERT_TRUE(frame.onCreate());
    frame.show();
    AquariumView *view = frame.view();
    EXPECT_FALSE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.size(), QSize(800, 600));
    EXPECT_EQ(QSize(view->screenWidth, view->screenHeight), QSize(800, 600));
    EXPECT_FLOAT_EQ(view->tankXMax, 49); // the 4:3 tank
    frame.resize(960, 540);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QSize(view->screenWidth, view->screenHeight) == QSize(960, 540); }, 5000));
    EXPECT_FLOAT_EQ(view->tankXMax, 58); // the 16:9 tank
    EXPECT_NEAR(view->pickRailsX[0].x, -58, 5.5); // the feed comb spans it, sweeping 5 about its start
}

// The help text lasts its hundred steps, one second, whatever --delay asks of the
// frames: at 25 frames a second it is drawn in about a quarter as many frames.
struct HelpDelayCase {
    int tickMs;            // as --delay sets it
    int mostFramesShowing; // frames drawn while the text shows
};

class ShellHelpText : public ::testing::TestWithParam<HelpDelayCase> {};

TEST_P(ShellHelpText, lastsOneHundredStepsAtAnyDelay)
{
    app();
    PrivateDirs dirs;
    CMainFrame frame(QSize(800, 500));
    AquariumView::RunOptions options;
    options.tickMs = GetParam().tickMs;
    options.sound = false;
    ASSERT_TRUE(frame.onCreate(options));
    AquariumView *view = frame.view();
    int framesShowing = 0, stepsWhenGone = -1;
    QElapsedTimer sinceFirstFrame;
    qint64 goneAfterMs = -1;
    view->afterFrameHook = [&] {
        if (!sinceFirstFrame.isValid())
            sinceFirstFrame.start();
        if (stepsWhenGone >= 0)
            return;
        if (view->helpTextVisible) {
            ++framesShowing;
        } else {
            stepsWhenGone = view->stepsRun();
            goneAfterMs = sinceFirstFrame.elapsed();
        }
    };
    frame.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stepsWhenGone >= 0; }, 20000));
    view->afterFrameHook = nullptr;
    std::printf("--delay %d000: help text gone %lld ms after the first frame, %d frames, %d steps\n",
                GetParam().tickMs, static_cast<long long>(goneAfterMs), framesShowing, stepsWhenGone);
    EXPECT_GE(stepsWhenGone, 101);
    EXPECT_LE(stepsWhenGone, 101 + StepClock::kMaxStepsPerFrame);
    EXPECT_LE(framesShowing, GetParam().mostFramesShowing);
}

INSTANTIATE_TEST_SUITE_P(Delays, ShellHelpText,
                         ::testing::Values(HelpDelayCase{10, 102}, HelpDelayCase{40, 40}),
                         [](const auto &info) { return "tick" + std::to_string(info.param.tickMs); });

TEST_F(Shell, choosingCustomMusicTwiceKeepsTheListAndThePlayingState)
{
    // A saved two-track playlist with own music on plays from the start.
    frame.reset();
    QStringList tracks;
    for (const char *name : {"a.wav", "b.wav"}) {
        tracks << dirs.config.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(writeFile(tracks.back(), makeSineWave(20000, 440.0)));
    }
    writeProfileString("Custom Settings", "OwnMusic", "1");
    writeProfileString("Custom Settings", "MusicSum", "2");
    for (int i = 0; i < 2; ++i)
        writeProfileString("Custom Settings", "MusicList" + std::to_string(i), tracks[i].toStdString());
    build();
    QPointer<CustomMusicDialog> dialog = view->musicDialog;
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->engine().playState(), PlayState::Playing);
    const std::vector<std::string> playlist = {tracks[0].toStdString(), tracks[1].toStdString()};

    for (int time = 1; time <= 2; ++time) {
        rightClickAndChoose(view, QPoint(400 + 20 * time, 300), 5);  // "  Custom Music"
        ASSERT_EQ(view->musicDialog, dialog) << time;
        EXPECT_TRUE(dialog->isVisible()) << time;
        EXPECT_EQ(dialog->playlist(), playlist) << time;
        EXPECT_EQ(dialog->engine().playState(), PlayState::Playing) << time;
        EXPECT_EQ(dialog->engine().currentIndex(), 0) << time;
    }
}

TEST_F(Shell, f1TogglesTheHelpText)
{
    const bool before = view->helpTextVisible;
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(view->helpTextVisible, !before);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(view->helpTextVisible, before);
}

} // namespace
