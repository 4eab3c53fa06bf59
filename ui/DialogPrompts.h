#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The two small modal prompts of the custom dialogs.

// The Open dialog for one existing file. The filter list shows `description` alone
// (for example "(*.mp3;*.wav;*.mpeg)") and matches `patterns` in either letter case.
// Returns the chosen full path, or an empty string when the user cancels.
QString askOpenFileName(QWidget *owner, const QString &description, const QStringList &patterns);

// A message box with an OK button, owned by `owner`, with the program's own name as
// caption (the caption a box gets when none is given).
void showOwnedMessage(QWidget *owner, const QString &text);
