// What the renderer asks for the least frame the aquarium could draw: a window of the X
// screen's size with nothing in it but one full-screen quad carrying a 1024 x 512 picture
// (the size of the built-in one, magnified, GL_LINEAR), as the picture surface covers
// the view. Each frame clears the depth, draws, finishes and swaps, as the aquarium's
// frames do. It prints frames per second and CPU time per frame (all threads, and the
// main thread apart from the renderer's) for each of these, and the peak memory of it all:
//   - the depth clear alone,
//   - the quad with its depth tested, as the surface is drawn behind the fish,
//   - the quad without a depth test.
//   bench_floor [frames]        (default 300)
// Run it under an X server of the size to measure; it asserts nothing.
#include "GlTestContext.h"

#include <GL/gl.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

enum class Layer { None, TestedQuad, UntestedQuad };

void drawQuad()
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
}

} // namespace

int main(int argc, char *argv[])
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    QGuiApplication app(argc, argv);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    GlTestContext context(screen.width(), screen.height(), true);
    if (!context.isValid()) {
        std::printf("no GL context could be made\n");
        return 1;
    }
    const int w = screen.width(), h = screen.height();

    // A smooth picture with some detail: colour ramps and a checker.
    std::vector<std::uint8_t> pixels(1024 * 512 * 4);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 1024; ++x) {
            std::uint8_t *p = &pixels[(y * 1024 + x) * 4];
            p[0] = std::uint8_t(x / 4);
            p[1] = std::uint8_t(y / 2);
            p[2] = ((x / 32 + y / 32) % 2) ? 200 : 60;
            p[3] = 255;
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glViewport(0, 0, w, h);
    glEnable(GL_TEXTURE_2D);

    std::printf("screen               %d x %d\n", w, h);
    const struct {
        Layer layer;
        const char *title;
    } runs[] = {
        {Layer::None, "depth clear alone"},
        {Layer::TestedQuad, "one full-screen picture, depth tested"},
        {Layer::UntestedQuad, "one full-screen picture, no depth test"},
    };
    for (const auto &run : runs) {
        if (run.layer == Layer::UntestedQuad)
            glDisable(GL_DEPTH_TEST);
        else
            glEnable(GL_DEPTH_TEST);
        const double processBefore = clockMs(CLOCK_PROCESS_CPUTIME_ID);
        const double mainBefore = clockMs(CLOCK_THREAD_CPUTIME_ID);
        QElapsedTimer all;
        all.start();
        for (int i = 0; i < frames; ++i) {
            glClear(GL_DEPTH_BUFFER_BIT);
            if (run.layer != Layer::None)
                drawQuad();
            glFinish();
            context.swapBuffers();
            QCoreApplication::processEvents();
        }
        const double wallMs = all.nsecsElapsed() / 1e6;
        const double processMs = clockMs(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
        const double mainMs = clockMs(CLOCK_THREAD_CPUTIME_ID) - mainBefore;
        std::printf("%s\n", run.title);
        std::printf("  frames             %d, %.1f fps\n", frames, frames * 1000.0 / wallMs);
        std::printf("  CPU time per frame %.2f ms (all threads), main thread %.2f ms\n",
                    processMs / frames, mainMs / frames);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory          %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
