// Prints what the aquarium costs: start-up time to the first frame, the cost of a full
// frame at the screen's size (1680 x 1050 under the test X server), and peak memory.
// It asserts nothing; run it under the same X server as the program would use.
#include "AquariumView.h"
#include "MainFrame.h"
#include "ProfileFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>

int main(int argc, char *argv[])
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    QTemporaryDir config, runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // The full tank: one fish of every species (the pellets start alive anyway).
    for (int i = 0; i < 25; ++i)
        writeProfileString("Fish Number", "Fish" + std::to_string(i), "1");

    QElapsedTimer startUp;
    startUp.start();
    QApplication app(argc, argv);
    CMainFrame frame;
    if (!frame.onCreate() || !frame.view() || !frame.view()->glContext()) {
        std::printf("no GL view could be made\n");
        return 1;
    }
    frame.show();
    AquariumView &view = *frame.view();
    const int firstFrame = view.framesDrawn();
    while (view.framesDrawn() == firstFrame)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double startUpMs = startUp.nsecsElapsed() / 1e6;

    view.setFramesRunning(false); // only the frames drawn here
    std::vector<double> costs;
    costs.reserve(frames);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer all;
    all.start();
    QElapsedTimer t;
    for (int i = 0; i < frames; ++i) {
        t.start();
        view.drawFrame();
        costs.push_back(t.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    const double wallMs = all.nsecsElapsed() / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto cpuMs = [](const rusage &u) {
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    };
    std::sort(costs.begin(), costs.end());

    std::printf("screen               %d x %d\n", view.screenWidth, view.screenHeight);
    std::printf("start-up to 1st frame %.1f ms\n", startUpMs);
    std::printf("frames               %d, %.1f fps\n", frames, frames * 1000.0 / wallMs);
    std::printf("drawFrame            median %.2f ms, p95 %.2f ms\n", costs[costs.size() / 2],
                costs[costs.size() * 95 / 100]);
    std::printf("CPU time per frame   %.2f ms (all threads of the process)\n",
                (cpuMs(usage) - cpuMs(before)) / frames);
    std::printf("peak memory          %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
