#include "DialogPrompts.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>

#include <cstdio>

QString askOpenFileName(QWidget *owner, const QString &description, const QStringList &patterns)
{
    QStringList matched;
    for (const QString &pattern : patterns) {
        matched << pattern;
        if (pattern.toUpper() != pattern)
            matched << pattern.toUpper();
    }
    QPointer<QFileDialog> dialog = new QFileDialog(owner);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    // "Description (patterns)": with the details hidden only the description shows.
    dialog->setNameFilter(description + QStringLiteral(" (") + matched.join(QLatin1Char(' ')) + QLatin1Char(')'));
    QString chosen;
    if (dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().first();
    delete dialog;
    return chosen;
}

namespace {
bool nobodyThere = false;
} // namespace

void setNoOneToAsk(bool set) { nobodyThere = set; }

bool noOneToAsk() { return nobodyThere; }

void showOwnedMessage(QWidget *owner, const QString &text)
{
    if (nobodyThere) {
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(stderr, "varlenscr: %s\n", line.toLocal8Bit().constData());
        return;
    }
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                                                text, QMessageBox::Ok, owner);
    box->exec();
    delete box;
}
