// Saves what the aquarium shows after a number of frames as a PNG:
//   scene_screenshot <out.png> [frames] [feed|menu] [--seed N]
// With "feed", food is dropped in the middle of the tank first, so the fish gather; with
// "menu", the picture is taken of the whole screen with the right-button menu open.
// Settings come from $XDG_CONFIG_HOME as usual; run it under an X server (Xvfb).
#include "AquariumView.h"
#include "CommandLine.h"
#include "MainFrame.h"
#include "Random.h"

#include <GL/gl.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // "--seed N" anywhere seeds the scene as the program does; without it every run
    // starts a new scene, as the program's do.
    std::vector<std::string> seedArgs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seedArgs = {argv[i], argv[i + 1]};
            std::copy(argv + i + 2, argv + argc + 1, argv + i);
            argc -= 2;
            break;
        }
    }
    const CommandLineResult seedOption = parseCommandLine(seedArgs, nullptr);
    if (seedOption.action != CommandLineResult::Action::Run) {
        std::fprintf(stderr, "%s\n", seedOption.error.c_str());
        return 2;
    }
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    varlen::seedRandom(runSeed(seedOption.options, uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec),
                               uint32_t(getpid())));

    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [frames] [feed|menu] [--seed N]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const bool feed = argc > 3 && std::strcmp(argv[3], "feed") == 0;
    const bool menu = argc > 3 && std::strcmp(argv[3], "menu") == 0;

    QApplication app(argc, argv);
    CMainFrame frame;
    if (!frame.onCreate() || !frame.view() || !frame.view()->glContext())
        return 1;
    frame.show();
    AquariumView &view = *frame.view();
    view.setFramesRunning(false);

    QImage shot;
    for (int i = 0; i < frames; ++i) {
        if (feed && i == 0) {
            for (FoodPellet &p : view.pellets) // an empty tank: only the dropped food swims
                p.visible = 0;
        }
        if (feed && i % 20 == 0) {
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
    if (menu) {
        view.setFramesRunning(true);
        bool saved = false;
        QTimer::singleShot(400, [&] {
            QWidget *popup = QApplication::activePopupWidget();
            if (popup) {
                QTest::mouseMove(popup, QPoint(70, 48 * 2 + 24)); // highlight "Zoom In Fish"
                QTest::qWait(200);
                saved = QGuiApplication::primaryScreen()->grabWindow(0).save(out);
                popup->close();
            }
        });
        QTest::mousePress(&view, Qt::RightButton, {}, QPoint(view.screenWidth / 2 - 300, view.screenHeight / 2 - 150));
        return saved ? 0 : 1;
    }
    return shot.save(out) ? 0 : 1;
}
