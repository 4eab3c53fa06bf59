// Saves what the aquarium shows after a number of frames as a PNG:
//   scene_screenshot <out.png> [frames] [feed]
// With "feed", food is dropped in the middle of the tank first, so the fish gather.
// Settings come from $XDG_CONFIG_HOME as usual; run it under an X server (Xvfb).
#include "AquariumView.h"
#include "MainFrame.h"

#include <GL/gl.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [frames] [feed]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const bool feed = argc > 3 && std::strcmp(argv[3], "feed") == 0;

    QApplication app(argc, argv);
    CMainFrame frame;
    if (!frame.onCreate() || !frame.view() || !frame.view()->glContext())
        return 1;
    frame.show();
    AquariumView &view = *frame.view();
    view.setFramesRunning(false);

    QImage shot;
    for (int i = 0; i < frames; ++i) {
        if (feed && i % 40 == 0) {
            // Free a few slots and click in the middle so food rains there.
            for (int k = 0; k < 10; ++k)
                view.pellets[(i / 40 * 10 + k) % 100].visible = 0;
            view.drawFrame();
            QTest::mouseClick(&view, Qt::LeftButton, {},
                              QPoint(view.screenWidth / 2, view.screenHeight / 2));
        }
        if (i == frames - 1) {
            view.afterFrameHook = [&] {
                QImage img(view.screenWidth, view.screenHeight, QImage::Format_RGB888);
                glPixelStorei(GL_PACK_ALIGNMENT, 1);
                glReadBuffer(GL_BACK);
                for (int y = 0; y < view.screenHeight; ++y)
                    glReadPixels(0, view.screenHeight - 1 - y, view.screenWidth, 1, GL_RGB,
                                 GL_UNSIGNED_BYTE, img.scanLine(y));
                shot = img;
            };
        }
        view.drawFrame();
        QCoreApplication::processEvents();
    }
    return shot.save(out) ? 0 : 1;
}
