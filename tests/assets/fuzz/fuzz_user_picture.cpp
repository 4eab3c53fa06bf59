// A user's own background picture: the bytes go to a file and through loadUserPicture, the
// format and size check and then SOIL's decoding, scaling, mipmaps, compression and upload,
// exactly as when a picture is added to the background list. Whatever the file holds, the
// result is 0 or a texture with a picture in it.
// GL comes from Mesa through EGL without a display (llvmpipe, one thread), so the target
// needs no X server.
// Qt's image readers and SOIL are the system's libraries, built without coverage, so the
// fuzzer would see every input that gets past the check as the same. The outcome is fed
// back instead, as extra coverage counters: the format Qt's reader found, the size class
// of each side, and SOIL's result message (each of its decoders' failures has its own).

#include "TextureLoader.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <QCoreApplication>
#include <QImageReader>
#include <QString>

#include <SOIL/SOIL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string g_directory, g_path;

// Read by libFuzzer like its own coverage counters.
__attribute__((section("__libfuzzer_extra_counters"), used)) std::uint8_t g_outcomes[4096];

unsigned hashOf(const char *text)
{
    unsigned h = 2166136261u;
    for (; text != nullptr && *text != 0; ++text)
        h = (h ^ static_cast<unsigned char>(*text)) * 16777619u;
    return h;
}

// 0 for an unknown side, else 1 + floor(log2(side)), at most 16.
unsigned sizeClass(int side)
{
    side = std::abs(side);
    unsigned c = 0;
    while (side > 0 && c < 16)
        side >>= 1, ++c;
    return c;
}

// Sets SOIL's message to one of its own, so a message changed afterwards tells that the
// picture reached SOIL.
const char *resetSoilMessage()
{
    int width = 0, height = 0, channels = 0;
    SOIL_free_image_data(SOIL_load_image_from_memory(reinterpret_cast<const unsigned char *>(""), 0,
                                                     &width, &height, &channels, 0));
    return SOIL_last_result();
}

void countOutcome(const char *messageBefore)
{
    QImageReader reader(QString::fromStdString(g_path));
    const unsigned format = hashOf(reader.format().constData()) % 8;
    const QSize size = reader.size();
    ++g_outcomes[(format * 17 + sizeClass(size.width())) * 17 + sizeClass(size.height())];
    if (SOIL_last_result() != messageBefore)
        ++g_outcomes[2312 + hashOf(SOIL_last_result()) % 1784];
}

bool makeGlCurrent()
{
    const EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)
        || !eglBindAPI(EGL_OPENGL_API))
        return false;
    const EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    return context != EGL_NO_CONTEXT
        && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("LP_NUM_THREADS", "0", 1);
    static QCoreApplication app(*argc, *argv);  // image format plugins (JPEG) are found through it
    // Qt's readers warn about every damaged picture; the log is for the fuzzer's findings.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    if (!makeGlCurrent()) {
        std::fprintf(stderr, "fuzz_user_picture: no GL context through EGL\n");
        std::abort();
    }
    char dir[] = "/tmp/fuzz_user_picture.XXXXXX";
    if (mkdtemp(dir) == nullptr)
        std::abort();
    g_directory = dir;
    g_path = g_directory + "/picture";
    std::atexit([] { rmdir(g_directory.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::FILE *file = std::fopen(g_path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();

    const char *messageBefore = resetSoilMessage();
    const GLuint name = loadUserPicture(g_path);
    countOutcome(messageBefore);
    if (name != 0) {
        GLint width = 0, height = 0;
        glBindTexture(GL_TEXTURE_2D, name);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        if (width < 1 || height < 1 || width > kMaxUserPictureSide || height > kMaxUserPictureSide)
            std::abort();
        glDeleteTextures(1, &name);
    }
    unlink(g_path.c_str());
    return 0;
}
