#pragma once

#include "AquariumView.h"

#include <QWidget>

// The one top-level window, its whole area taken by the aquarium view. Full screen: no
// caption, border or menu, covering the primary screen. Windowed: an ordinary
// decorated, resizable window of a given size, the view following its size.
class CMainFrame : public QWidget {
    Q_OBJECT
public:
    CMainFrame();
    // An ordinary window of `windowed` size (logical pixels).
    explicit CMainFrame(QSize windowed);
    ~CMainFrame() override;

    // Creation: checks the temporary directory and creates the view (which sets up the
    // scene and starts its timer). Returns false when the frame cannot be made.
    bool onCreate(const AquariumView::RunOptions &options = {});

    AquariumView *view() const { return aquariumView; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AquariumView *aquariumView = nullptr;
    QWidget *viewContainer = nullptr;
    QSize windowedSize; // empty: full screen
};
