// Prints what the aquarium costs: start-up time to the first frame, the cost of a full
// frame at the screen's size (run it under X servers of the sizes to measure), the CPU
// time of the main thread apart from the renderer's threads, what each pass of a frame
// costs, and peak memory. It asserts nothing.
//   bench_frame [frames]        (default 300)
// The pass costs come from a second run of frames in which every pass is closed with
// glFinish, so that the renderer's work lands in the pass that caused it, and the help
// text (shown in the program's first hundred frames) is kept up; that run is slower than
// the first, whose figures are the real frame cost.
#include "AquariumView.h"
#include "MainFrame.h"
#include "ProfileFile.h"

#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <time.h>

namespace {

double clockMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct PassCost {
    double cpuMs = 0;  // all threads of the process
    double wallMs = 0;
};

} // namespace

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

    // 1. Frames as the program draws them.
    view.setFramesRunning(false); // only the frames drawn here
    std::vector<double> costs;
    costs.reserve(frames);
    const double processBefore = clockMs(CLOCK_PROCESS_CPUTIME_ID);
    const double mainBefore = clockMs(CLOCK_THREAD_CPUTIME_ID);
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
    const double processMs = clockMs(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
    const double mainMs = clockMs(CLOCK_THREAD_CPUTIME_ID) - mainBefore;
    std::sort(costs.begin(), costs.end());

    // 2. The same frames with every pass closed by glFinish.
    std::vector<std::string> order;
    std::map<std::string, PassCost> passes;
    double lastCpu = 0, lastWall = 0;
    auto mark = [&](const char *name) {
        glFinish();
        const double cpu = clockMs(CLOCK_PROCESS_CPUTIME_ID), wall = clockMs(CLOCK_MONOTONIC);
        if (!passes.count(name))
            order.push_back(name);
        passes[name].cpuMs += cpu - lastCpu;
        passes[name].wallMs += wall - lastWall;
        lastCpu = cpu;
        lastWall = wall;
    };
    view.afterPassHook = mark;
    for (int i = 0; i < frames; ++i) {
        view.helpTextVisible = true; // as in the first hundred frames, so that it is measured
        view.helpTextFrames = 0;
        lastCpu = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        lastWall = clockMs(CLOCK_MONOTONIC);
        view.drawFrame();
        mark("finish and swap");
        QCoreApplication::processEvents();
    }
    view.afterPassHook = nullptr;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("screen               %d x %d\n", view.screenWidth, view.screenHeight);
    std::printf("start-up to 1st frame %.1f ms\n", startUpMs);
    std::printf("frames               %d, %.1f fps\n", frames, frames * 1000.0 / wallMs);
    std::printf("drawFrame            median %.2f ms, p95 %.2f ms\n", costs[costs.size() / 2],
                costs[costs.size() * 95 / 100]);
    std::printf("CPU time per frame   %.2f ms (all threads of the process)\n", processMs / frames);
    std::printf("  main thread        %.2f ms\n", mainMs / frames);
    std::printf("  renderer threads   %.2f ms (the rest: llvmpipe's rasterizer)\n",
                (processMs - mainMs) / frames);
    std::printf("per pass, each closed by glFinish (CPU all threads / wall, ms per frame):\n");
    PassCost sum;
    for (const std::string &name : order) {
        const PassCost &c = passes[name];
        std::printf("  %-18s %6.2f / %6.2f\n", name.c_str(), c.cpuMs / frames, c.wallMs / frames);
        sum.cpuMs += c.cpuMs;
        sum.wallMs += c.wallMs;
    }
    std::printf("  %-18s %6.2f / %6.2f\n", "sum", sum.cpuMs / frames, sum.wallMs / frames);
    std::printf("peak memory          %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
