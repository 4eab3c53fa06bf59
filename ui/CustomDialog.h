#pragma once

#include "PlayMode.h"

#include <QDialog>

#include <map>
#include <optional>

class QString;

// What the custom music and custom background dialogs share: a modeless dialog of fixed
// size laid out in the System font's dialog units; Esc and the close box hide it and
// then save its choices; Enter clicks the focused push button (or does nothing), never
// closing the dialog; its controls are found by their template ids.
class CustomDialog : public QDialog {
    Q_OBJECT
public:
    // The control with template id `id` (nullptr for an unknown id).
    QWidget *control(int id) const;

protected:
    // Both dialogs' play-mode boxes: "Repeat One" 1023, "Repeat All" 1024, "Random" 1025.
    // The mode a box stands for, or none for another control.
    static std::optional<PlayMode> playModeOfBox(int id);

    // `widthDu` x `heightDu`: the client size in dialog units.
    CustomDialog(QWidget *parent, const QString &title, int widthDu, int heightDu);

    // Keeps `widget` as the control with template id `id`; returns it.
    template <typename Widget>
    Widget *addControl(int id, Widget *widget)
    {
        controls_[id] = widget;
        return widget;
    }

    // Writes the dialog's choices to the settings file (after every close).
    virtual void saveChoices() = 0;

    // Esc and the close box: hide, then save.
    void reject() override;
    // Enter while no push button has the focus: the dialog stays as it is.
    void accept() override;
    // Enter clicks the focused push button, or does nothing.
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::map<int, QWidget *> controls_;
};
