// Prints what the aquarium costs: start-up time to the first frame, the cost of a full
// frame at the screen's size (1680 x 1050 under the test X server), and peak memory.
// It asserts nothing; run it under the same X server as the program would use.
#include "AquariumView.h"
#include "MainFrame.h"

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
    const int before = view.framesDrawn();
    while (view.framesDrawn() == before)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double startUpMs = startUp.nsecsElapsed() / 1e6;

    std::vector<double> costs;
    costs.reserve(frames);
    QElapsedTimer t;
    for (int i = 0; i < frames; ++i) {
        t.start();
        view.drawFrame();
        costs.push_back(t.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    std::sort(costs.begin(), costs.end());
    double sum = 0;
    for (double c : costs)
        sum += c;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("screen               %d x %d\n", view.screenWidth, view.screenHeight);
    std::printf("start-up to 1st frame %.1f ms\n", startUpMs);
    std::printf("frame cost (%d frames) median %.2f ms, mean %.2f ms, p95 %.2f ms (%.0f fps)\n",
                frames, costs[costs.size() / 2], sum / frames, costs[costs.size() * 95 / 100],
                1000.0 / costs[costs.size() / 2]);
    std::printf("peak memory          %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
