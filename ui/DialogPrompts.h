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
// caption (the caption a box gets when none is given). Where no one can answer
// (setNoOneToAsk), one line "varlenscr: <text>" on stderr instead.
void showOwnedMessage(QWidget *owner, const QString &text);

// A screensaver guest runs behind a locked screen: nobody can press OK, and a message box
// would be a top-level window over the host's. With this set, prompts never open a
// window or wait; what they would say goes to stderr.
void setNoOneToAsk(bool set);
bool noOneToAsk();
