#pragma once

#include <QWidget>

class AquariumView;

// The one top-level window: no caption, border or menu, covering the primary screen,
// its whole area taken by the aquarium view.
class CMainFrame : public QWidget {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creation: checks the temporary directory and creates the view (which sets up the
    // scene and starts its timer). Returns false when the frame cannot be made.
    bool onCreate();

    AquariumView *view() const { return aquariumView; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    AquariumView *aquariumView = nullptr;
    QWidget *viewContainer = nullptr;
};
