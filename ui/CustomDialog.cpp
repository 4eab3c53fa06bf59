#include "CustomDialog.h"

#include "DialogFocus.h"
#include "DialogFont.h"
#include "DialogUnits.h"

#include <QKeyEvent>
#include <QPushButton>

CustomDialog::CustomDialog(QWidget *parent, const QString &title, int widthDu, int heightDu) : QDialog(parent)
{
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(dialogFont(DialogFontKind::System));
    setFixedSize(dialogSize(DialogFontKind::System, widthDu, heightDu));
}

QWidget *CustomDialog::control(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void CustomDialog::reject()
{
    hide();
    returnFocusToParent(this);
    saveChoices();
}

void CustomDialog::accept() {}

void CustomDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && button->isEnabled())
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

std::optional<PlayMode> CustomDialog::playModeOfBox(int id)
{
    switch (id) {
    case 1023: return PlayMode::RepeatOne;
    case 1024: return PlayMode::RepeatAll;
    case 1025: return PlayMode::Random;
    default: return std::nullopt;
    }
}
