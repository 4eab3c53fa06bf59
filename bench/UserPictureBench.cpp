// What a user's own background picture costs on the way in: the wall time of
// loadUserPicture (the format and size check with Qt's decoding, SOIL's decoding, scaling to powers of two,
// mipmaps, compression and the upload; the program waits for all of it when the picture is
// added) and the peak memory it adds to the process, for square pictures and a 4000 x 3000
// photo, as PNG and JPEG.
//   bench_user_picture [side ...]     default sides: 1024 2048 4096 8192
// Each picture is loaded in a process of its own, so each peak is that picture's alone.
// Run it under an X server (Xvfb); it prints figures and asserts nothing.
#include "GlTestContext.h"
#include "TextureLoader.h"

#include <GL/gl.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>

namespace {

// The process's peak resident memory so far, in MiB (VmHWM).
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// The CPU time (user + system) the process has used so far, in ms: on a busy machine the
// wall time of a load stretches, its CPU time does not.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Loads one picture and prints "<ms> <peak MiB before> <peak MiB after> <w>x<h> <decode ms>
// <CPU ms>", the fifth the time Qt alone takes to decode the picture, as the check does.
int loadOne(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    GlTestContext gl(64, 64, false);
    if (!gl.isValid())
        return 1;
    glFinish();
    const double before = peakMiB();
    const double cpuBefore = cpuMs();
    QElapsedTimer timer;
    timer.start();
    const GLuint name = loadUserPicture(argv[2]);
    glFinish();
    const double ms = timer.nsecsElapsed() / 1e6;
    const double cpu = cpuMs() - cpuBefore;
    const double after = peakMiB();
    timer.start();
    QImage decoded;
    QImageReader(QString::fromLocal8Bit(argv[2])).read(&decoded);
    const double decodeMs = timer.nsecsElapsed() / 1e6;
    GLint width = 0, height = 0;
    if (name != 0) {
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    }
    std::printf("%.0f %.0f %.0f %dx%d %.0f %.0f\n", ms, before, after, width, height, decodeMs, cpu);
    return 0;
}

// A photo-like picture: smooth gradients with a little noise, so neither format gets it
// for free.
QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 2463534242u;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = static_cast<int>(state & 15);
            row[x] = qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise) & 255,
                          ((x + y) * 127 / (width + height) + noise) & 255);
        }
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
        return loadOne(argc, argv);

    QGuiApplication app(argc, argv);
    QList<QSize> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QSize(std::atoi(argv[i]), std::atoi(argv[i])));
    if (sizes.isEmpty())
        sizes = {QSize(1024, 1024), QSize(2048, 2048), QSize(4000, 3000), QSize(4096, 4096),
                 QSize(8192, 8192)};

    QTemporaryDir dir;
    std::printf("%-11s %-5s %9s %10s %12s %16s %14s %12s %11s\n", "picture", "form", "file KiB", "load ms",
                "load CPU ms", "Qt decode ms", "peak MiB added", "process MiB", "texture");
    for (const QSize size : sizes) {
        const QImage image = photo(size.width(), size.height());
        for (const char *format : {"PNG", "JPEG"}) {
            const QString path = dir.filePath(QStringLiteral("picture.") + QString(format).toLower());
            if (!image.save(path, format, format[0] == 'J' ? 90 : -1))
                return 1;
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load"), path});
            child.waitForFinished(-1);
            const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
            if (child.exitCode() != 0 || f.size() != 6) {
                std::printf("%5dx%-5d %-5s the loader failed\n", size.width(), size.height(), format);
                continue;
            }
            std::printf("%5dx%-5d %-5s %9lld %10s %12s %16s %14.0f %12s %11s\n", size.width(), size.height(),
                        format, QFile(path).size() / 1024, f[0].constData(), f[5].constData(), f[4].constData(),
                        f[2].toDouble() - f[1].toDouble(), f[2].constData(), f[3].constData());
            std::fflush(stdout);
        }
    }
    return 0;
}
