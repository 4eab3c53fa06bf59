// Prints what the aquarium costs: start-up time to the first frame, the cost of a full
// frame at the screen's size (run it under X servers of the sizes to measure), the CPU
// time of the main thread apart from the renderer's threads, what each pass of a frame
// costs, and peak memory. It asserts nothing.
//   bench_frame [frames]        (default 300)
// The frame figures are given three times: for the first frames, with the help text of
// the program's first hundred; for the full tank held (help text and 100 pellets); and
// for frames without the help text and with the pellets the fish have left. The pass
// costs come from a further run of frames in which every pass is closed with glFinish,
// so that the renderer's work lands in the pass that caused it, with the help text and
// every pellet kept up; that run is slower than the others, whose figures are the real
// frame cost.
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
    double mainMs = 0; // the main thread alone
    double wallMs = 0;
};

// Frames drawn one after another as the program's timer would, and what they cost.
struct FrameRun {
    int frames = 0;
    double pellets = 0; // alive on average
    double wallMs = 0;
    double processMs = 0; // all threads
    double mainMs = 0;
    std::vector<double> costs; // drawFrame, sorted

    void print(const char *title) const
    {
        std::printf("%s\n", title);
        std::printf("  frames             %d, %.1f fps, %.0f pellets on average\n", frames,
                    frames * 1000.0 / wallMs, pellets / frames);
        std::printf("  drawFrame          median %.2f ms, p95 %.2f ms\n", costs[costs.size() / 2],
                    costs[costs.size() * 95 / 100]);
        std::printf("  CPU time per frame %.2f ms (all threads of the process)\n", processMs / frames);
        std::printf("    main thread      %.2f ms\n", mainMs / frames);
        std::printf("    renderer threads %.2f ms (the rest: llvmpipe's rasterizer)\n",
                    (processMs - mainMs) / frames);
    }
};

// Every pellet swimming again, as just dropped where it was.
void keepEveryPellet(AquariumView &view)
{
    for (FoodPellet &p : view.pellets) {
        p.alive = true;
        p.visible = 1.0f;
    }
}

FrameRun drawFrames(AquariumView &view, int frames, bool fullTank = false)
{
    FrameRun run;
    run.frames = frames;
    run.costs.reserve(frames);
    const double processBefore = clockMs(CLOCK_PROCESS_CPUTIME_ID);
    const double mainBefore = clockMs(CLOCK_THREAD_CPUTIME_ID);
    QElapsedTimer all;
    all.start();
    QElapsedTimer t;
    for (int i = 0; i < frames; ++i) {
        if (fullTank) {
            view.helpTextVisible = true;
            view.helpTextFrames = 0;
            keepEveryPellet(view);
        }
        for (const FoodPellet &p : view.pellets)
            run.pellets += p.alive ? 1 : 0;
        t.start();
        view.drawFrame();
        run.costs.push_back(t.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    run.wallMs = all.nsecsElapsed() / 1e6;
    run.processMs = clockMs(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
    run.mainMs = clockMs(CLOCK_THREAD_CPUTIME_ID) - mainBefore;
    std::sort(run.costs.begin(), run.costs.end());
    return run;
}

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

    // 1. Frames as the program draws them: the first ones; as many more with the full
    //    tank held (the help text kept up, every pellet swimming); then as many after the
    //    help text, with the pellets the fish have left, as a screensaver runs for hours.
    view.setFramesRunning(false); // only the frames drawn here
    const FrameRun first = drawFrames(view, frames);
    const FrameRun full = drawFrames(view, frames, true);
    view.helpTextVisible = false;
    const FrameRun later = drawFrames(view, frames);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage); // the peak of the program's own frames

    // 2. The same frames with every pass closed by glFinish.
    std::vector<std::string> order;
    std::map<std::string, PassCost> passes;
    double lastCpu = 0, lastMain = 0, lastWall = 0;
    auto restart = [&] {
        lastCpu = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        lastMain = clockMs(CLOCK_THREAD_CPUTIME_ID);
        lastWall = clockMs(CLOCK_MONOTONIC);
    };
    auto mark = [&](const char *name) {
        glFinish();
        const double cpu = clockMs(CLOCK_PROCESS_CPUTIME_ID), wall = clockMs(CLOCK_MONOTONIC);
        const double main = clockMs(CLOCK_THREAD_CPUTIME_ID);
        if (!passes.count(name))
            order.push_back(name);
        passes[name].cpuMs += cpu - lastCpu;
        passes[name].mainMs += main - lastMain;
        passes[name].wallMs += wall - lastWall;
        restart();
    };
    view.afterPassHook = mark;
    for (int i = 0; i < frames; ++i) {
        view.helpTextVisible = true; // as in the first hundred frames, so that it is measured
        view.helpTextFrames = 0;
        keepEveryPellet(view);
        restart();
        view.drawFrame();
        mark("finish and swap");
        QCoreApplication::processEvents();
    }
    view.afterPassHook = nullptr;

    std::printf("screen               %d x %d\n", view.screenWidth, view.screenHeight);
    std::printf("start-up to 1st frame %.1f ms\n", startUpMs);
    first.print("the first frames (the help text shows in the first hundred):");
    full.print("the full tank held (the help text up, every pellet swimming):");
    later.print("then without the help text, as a screensaver runs on:");
    std::printf("per pass, each closed by glFinish (ms per frame):\n");
    std::printf("  %-18s %8s %8s %8s\n", "", "CPU all", "main", "wall");
    PassCost sum;
    auto row = [&](const std::string &name, const PassCost &c) {
        std::printf("  %-18s %8.2f %8.2f %8.2f\n", name.c_str(), c.cpuMs / frames, c.mainMs / frames,
                    c.wallMs / frames);
    };
    for (const std::string &name : order) {
        const PassCost &c = passes[name];
        row(name, c);
        sum.cpuMs += c.cpuMs;
        sum.mainMs += c.mainMs;
        sum.wallMs += c.wallMs;
    }
    row("sum", sum);
    std::printf("peak memory          %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
