#include "DialogPrompts.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>

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

void showOwnedMessage(QWidget *owner, const QString &text)
{
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                                                text, QMessageBox::Ok, owner);
    box->exec();
    delete box;
}
