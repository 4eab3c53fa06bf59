// Pictures of the custom music and custom background dialogs with content:
//   ui_dialogs_screenshots <directory>
// writes custom-music.png and custom-background.png there. Runs under a virtual X
// screen like the widget tests; the settings file goes to a temporary directory.

#include "CustomBackgroundDialog.h"
#include "CustomMusicDialog.h"
#include "DialogTestSupport.h"

#include <QDir>
#include <QTableWidget>
#include <QTest>

#include <cstdio>

namespace {

// A picture with a vertical colour gradient, so rows of the list differ.
QString writeGradient(const QString &path, const QColor &top, const QColor &bottom)
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        const double t = y / 63.0;
        const QColor c(int(top.red() * (1 - t) + bottom.red() * t), int(top.green() * (1 - t) + bottom.green() * t),
                       int(top.blue() * (1 - t) + bottom.blue() * t));
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, c.rgb());
    }
    image.save(path);
    return path;
}

bool save(QWidget *widget, const QString &path)
{
    widget->repaint();
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    uiTestApp();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    ScopedConfigHome config;
    QTemporaryDir files;
    const QString dir = files.path() + QStringLiteral("/Pictures");
    QDir().mkpath(dir);
    TestGlContext gl;
    if (!gl.isValid()) {
        std::fprintf(stderr, "no GL context\n");
        return 1;
    }

    bool ok = true;
    {
        CustomBackgroundDialog background(nullptr, [&gl] { gl.makeCurrent(); });
        background.addImage(writeGradient(dir + QStringLiteral("/lagoon.png"), QColor(20, 120, 200), QColor(10, 40, 90)).toStdString());
        background.addImage(writeGradient(dir + QStringLiteral("/kelp-forest.jpg"), QColor(40, 140, 60), QColor(5, 40, 20)).toStdString());
        background.addImage(writeGradient(dir + QStringLiteral("/sunset-reef.bmp"), QColor(250, 150, 60), QColor(90, 20, 60)).toStdString());
        background.showCentred();
        if (!QTest::qWaitForWindowExposed(&background))
            std::fprintf(stderr, "the background dialog was not shown\n");
        auto *own = background.control(CustomBackgroundDialog::OwnImageBox);
        QTest::mouseClick(own, Qt::LeftButton, {}, own->rect().center());
        auto *all = background.control(CustomBackgroundDialog::RepeatAllBox);
        QTest::mouseMove(all, all->rect().center());
        QTest::mouseClick(all, Qt::LeftButton, {}, all->rect().center());
        QApplication::processEvents();
        auto *list = static_cast<QTableWidget *>(background.control(CustomBackgroundDialog::PictureList));
        const QPoint row = list->visualItemRect(list->item(1, 0)).center();
        QTest::mouseMove(list->viewport(), row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseMove(&background, QPoint(2, 2));
        ok = save(&background, out + QStringLiteral("/custom-background.png")) && ok;
    }
    {
        const QString music = files.path() + QStringLiteral("/Music");
        QDir().mkpath(music);
        QByteArray text = "[Custom Settings]\nCycMusic=1\nMusicSum=4\n";
        const char *names[] = {"harbour-morning.wav", "deep-blue.wav", "tide-pool.wav", "coral-lullaby.wav"};
        for (int i = 0; i < 4; ++i)
            text += "MusicList" + QByteArray::number(i) + "=" + writeWave(music + QLatin1Char('/') + QLatin1String(names[i]), 2000).toUtf8() + "\n";
        config.writeSettings(text);
        CustomMusicDialog musicDialog(nullptr);
        musicDialog.showCentred();
        if (!QTest::qWaitForWindowExposed(&musicDialog))
            std::fprintf(stderr, "the music dialog was not shown\n");
        auto *list = static_cast<QTableWidget *>(musicDialog.control(CustomMusicDialog::MusicList));
        const QPoint row = list->visualItemRect(list->item(1, 0)).center();
        QTest::mouseMove(list->viewport(), row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        auto *play = musicDialog.control(CustomMusicDialog::PlayButton);
        QTest::mouseClick(play, Qt::LeftButton, {}, play->rect().center());
        list->selectRow(3);
        QTest::mouseMove(&musicDialog, QPoint(2, 2));
        ok = save(&musicDialog, out + QStringLiteral("/custom-music.png")) && ok;
    }
    return ok ? 0 : 1;
}
