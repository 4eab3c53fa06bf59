// Writes pictures of the popup menu, the fish settings dialog and the controls in their
// states, for the documentation: ui_screenshots <output directory>. Run it under a
// display (xvfb-run). The fish dialog reads and writes the settings file of the
// environment it runs in, so point XDG_CONFIG_HOME at a scratch directory.
#include "ColorSlider.h"
#include "DialogFont.h"
#include "FishSettingsDialog.h"
#include "FlatButton.h"
#include "HyperLinkStatic.h"
#include "LampCheckButton.h"
#include "PopupMenu.h"
#include "Settings.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <cstdio>

namespace {

void hover(QWidget* w)
{
    const QPoint p = w->rect().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

bool save(const QPixmap& pm, const QDir& dir, const char* name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool ok = pm.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

QPixmap controlsSheet()
{
    QWidget sheet;
    sheet.setFont(dialogFont(DialogFontKind::MsSansSerif8));
    auto* grid = new QGridLayout(&sheet);
    grid->setSpacing(10);
    int row = 0;
    auto caption = [&](const char* text) { grid->addWidget(new QLabel(QString::fromLatin1(text)), row, 0); };

    caption("FlatButton: normal, hovered, pressed, disabled");
    for (int i = 0; i < 4; ++i) {
        auto* b = new FlatButton(1007, QStringLiteral("&Add"));
        b->setFixedSize(60, 24);
        grid->addWidget(b, row, 1 + i);
        if (i == 1)
            hover(b);
        if (i == 2)
            b->setDown(true);
        if (i == 3)
            b->setEnabled(false);
    }
    ++row;

    caption("LampCheckButton: off, on, hovered, disabled");
    for (int i = 0; i < 4; ++i) {
        auto* l = new LampCheckButton(1020, QStringLiteral("On/Off"));
        l->setFixedSize(90, 25);
        grid->addWidget(l, row, 1 + i);
        l->setCheck(i == 1 || i == 3 ? 1 : 0);
        if (i == 2)
            hover(l);
        if (i == 3)
            l->setEnabled(false);
    }
    ++row;

    caption("LampCheckButton with the switch icons: off, on");
    for (int i = 0; i < 2; ++i) {
        auto* l = new LampCheckButton(1021, QStringLiteral("Use your own music"));
        l->setIcons(184, 183);
        l->setFixedSize(170, 34);
        l->setCheck(i);
        grid->addWidget(l, row, 1 + 2 * i, 1, 2);
    }
    ++row;

    caption("ColorSlider: normal, pressed thumb");
    for (int i = 0; i < 2; ++i) {
        auto* s = new ColorSlider(1030);
        s->setFocusPolicy(Qt::NoFocus);
        s->setRange(0, 100);
        s->setValue(30 + 40 * i);
        s->setFixedSize(130, 28);
        s->setSliderDown(i == 1);
        grid->addWidget(s, row, 1 + 2 * i, 1, 2);
    }
    ++row;

    caption("HyperLinkStatic: link, visited, hovered");
    for (int i = 0; i < 3; ++i) {
        auto* link = new HyperLinkStatic(1037, QStringLiteral("www.varlenfish.example"));
        grid->addWidget(link, row, 1 + i);
        if (i == 1) {
            link->setOpener([](const QString&) { return 33; });
            link->openLink();
        }
        if (i == 2)
            hover(link);
    }

    sheet.show();
    QApplication::processEvents();
    // Hover states set before the first show are kept; refresh the ones that were lost.
    return sheet.grab();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("VarlenScr"));
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());
    bool ok = true;

    {
        OwnerDrawMenu menu;
        menu.popup(QPoint(40, 40));
        QApplication::processEvents();
        menu.setActiveAction(menu.actions().at(4));
        QApplication::processEvents();
        ok &= save(menu.grab(), dir, "popup-menu.png");
        menu.hide();
    }

    {
        const int counts[25] = {1, 0, 2, 0, 1, 0, 1, 0, 0, 3, 1, 0, 2, 0, 1, 0, 0, 1, 0, 1, 0, 2, 0, 1, 0};
        saveFishCounts(counts);
        FishSettingsDialog dialog;
        dialog.show();
        QApplication::processEvents();
        QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(250, 135)); // cell 7
        QApplication::processEvents();
        ok &= save(dialog.grab(), dir, "fish-settings-dialog.png");
        dialog.reject();
    }

    ok &= save(controlsSheet(), dir, "ui-controls.png");
    return ok ? 0 : 1;
}
