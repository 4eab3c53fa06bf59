#include "MainFrame.h"

#include "AssetStore.h"
#include "AquariumView.h"
#include "ViewRules.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <QVBoxLayout>

#include <cstdio>
#include <unistd.h>

CMainFrame::CMainFrame() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("VarlenScr"));
    setAttribute(Qt::WA_NoSystemBackground);
}

CMainFrame::CMainFrame(QSize windowed) : QWidget(nullptr, Qt::Window), windowedSize(windowed)
{
    setWindowTitle(QStringLiteral("VarlenScr"));
    setAttribute(Qt::WA_NoSystemBackground);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::onCreate(const AquariumView::RunOptions &options)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    if (windowedSize.isEmpty()) {
        // No window manager places or maximises us under a bare X server: take the
        // screen's geometry ourselves.
        setGeometry(screen->geometry());
    } else {
        QRect placed(QPoint(0, 0), windowedSize);
        placed.moveCenter(screen->availableGeometry().center());
        setGeometry(placed);
    }

    if (!temporaryDirectoryFound()) {
        reportMessage("Error Find TempPath.", "ERROR");
        return true; // the frame stays up, empty
    }

    aquariumView = new AquariumView;
    aquariumView->runOptions = options;
    viewContainer = QWidget::createWindowContainer(aquariumView, this);
    if (!viewContainer)
        return false;
    viewContainer->setFocusPolicy(Qt::StrongFocus);
    // Shown once the frame is on the screen (see eventFilter).
    viewContainer->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewContainer);
    viewContainer->setGeometry(rect());
    aquariumView->resize(size());
    aquariumView->onCreate(this);
    return true;
}

void CMainFrame::keyPressEvent(QKeyEvent *event)
{
    // Keys normally reach the view, which holds the focus; should the frame have it, F1
    // still means the view's help text.
    if (event->key() == Qt::Key_F1 && aquariumView) {
        aquariumView->helpTextVisible = !aquariumView->helpTextVisible;
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        std::fflush(nullptr);
        removeEmptyRunFolders();
        ::_exit(0);
    }
    QWidget::keyPressEvent(event);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWindow *window = windowHandle())
        window->installEventFilter(this); // once: Qt never installs a filter twice
}

void CMainFrame::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (viewContainer && !event->spontaneous())
        viewContainer->hide();
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // The view is shown once the frame's window is on the screen. On Wayland the view is
    // a subsurface, exposed only with its window; but Qt tells a subsurface so only when
    // it is shown, not when the compositor shows its window later. Shown together with
    // the frame, the view never learned that it could draw and stayed black.
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()
        && viewContainer && viewContainer->isHidden())
        viewContainer->show();
    return QWidget::eventFilter(watched, event);
}

void CMainFrame::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (aquariumView)
        aquariumView->requestActivate();
}
