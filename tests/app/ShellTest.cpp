// The shell driven for real: the program's own process for the single-instance guards,
// the frame and view in this process (under Xvfb) for ticks, mouse, keys and commands.
#include "AquariumApp.h"
#include "AquariumView.h"
#include "MainFrame.h"
#include "PopupMenuEntries.h"
#include "ResourceImages.h"
#include "SingleInstanceLock.h"
#include "TestApplication.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

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

int topLevelWindowsNamed(const char *title)
{
    QProcess tree;
    tree.start("xwininfo", {"-root", "-tree"});
    tree.waitForFinished();
    const QString out = QString::fromUtf8(tree.readAllStandardOutput());
    return out.count(QStringLiteral("\"%1\"").arg(title));
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
    QThread::msleep(500);
    const int windowsBefore = topLevelWindowsNamed("VarlenScr");

    QProcess second;
    second.setProcessEnvironment(dirs.environment());
    second.start(VARLENSCR_BINARY);
    ASSERT_TRUE(second.waitForFinished(1000)) << "the second copy did not end within a second";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(topLevelWindowsNamed("VarlenScr"), windowsBefore);
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
    QTest::qWait(100);
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

// Esc pressed where the keyboard focus is, with a custom dialog opened from the menu,
// hides that dialog and leaves the program running (exit code 5 says it got there).
class ShellDialogEsc : public ShellDeath, public ::testing::WithParamInterface<int> {};

TEST_P(ShellDialogEsc, escapeInAnOpenDialogHidesItAndTheProgramRuns)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    const int entry = GetParam();
    EXPECT_EXIT(startAndThen([entry](CMainFrame &f) {
                    // Real pointer and key events from the X server throughout.
                    const auto xdotool = [](const QStringList &args) {
                        QProcess::execute(QStringLiteral("xdotool"), args);
                        QTest::qWait(300);
                    };
                    const QPoint at = f.view()->mapToGlobal(QPoint(400, 300));
                    // The menu runs its own loop: the entry is clicked from a timer inside it.
                    QTimer::singleShot(500, [at, entry] {
                        QProcess::execute(QStringLiteral("xdotool"),
                                          {"mousemove", QString::number(at.x() + 70),
                                           QString::number(at.y() + entry * kPopupItemHeight + kPopupItemHeight / 2),
                                           "click", "1"});
                    });
                    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"});
                    QTest::qWait(1000);
                    QWidget *dialog = nullptr;
                    for (QWidget *w : QApplication::topLevelWidgets())
                        if (w->isVisible() && w != &f && qobject_cast<QDialog *>(w))
                            dialog = w;
                    if (!dialog)
                        std::_Exit(6);
                    xdotool({"key", "Escape"});
                    std::_Exit(dialog->isVisible() ? 7 : 5);
                }),
                ::testing::ExitedWithCode(5), "");
}

INSTANTIATE_TEST_SUITE_P(MusicAndBackground, ShellDialogEsc, ::testing::Values(5, 6));

// The frame and view in this process, without the single-instance guards.
class Shell : public ::testing::Test {
protected:
    PrivateDirs dirs;
    std::unique_ptr<CMainFrame> frame;
    AquariumView *view = nullptr;

    void SetUp() override
    {
        app();
        frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(frame->onCreate());
        frame->show();
        view = frame->view();
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->glContext(), nullptr);
        QTest::qWait(50);
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

TEST_F(Shell, oneFramePerTickAndExposure)
{
    const int frames0 = view->framesDrawn(), ticks0 = view->ticksHandled();
    const int exposes0 = view->exposeFrames();
    QTest::qWait(400);
    const int ticks = view->ticksHandled() - ticks0;
    EXPECT_GT(ticks, 3);
    EXPECT_EQ(view->framesDrawn() - frames0, ticks + view->exposeFrames() - exposes0);
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

class ShellMouse : public Shell, public ::testing::WithParamInterface<MouseCase> {};

QImage cursorImage(const QCursor &c) { return c.pixmap().toImage(); }

TEST_P(ShellMouse, pressReleaseAndCursorFollowTheMode)
{
    const MouseCase c = GetParam();
    view->setFramesRunning(false); // no frame may consume the click in between
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
    if (c.cursorUp && !c.pendingAfterQuickClick)
        EXPECT_EQ(cursorImage(view->cursor()), cursorImage(resourceCursor(c.cursorUp)));
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
    view->setFramesRunning(false);
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

TEST_F(Shell, f1TogglesTheHelpText)
{
    const bool before = view->helpTextVisible;
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(view->helpTextVisible, !before);
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(view->helpTextVisible, before);
}

} // namespace
