#include "TextureLoader.h"

#include <GL/gl.h>

#include "AssetStore.h"
#include "RunGuards.h"
#include "BmpDecode.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSize>

#include <GL/glu.h>
#include <SOIL/SOIL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <type_traits>
#include <vector>

static_assert(std::is_same_v<GLuint, unsigned int>);

namespace {

int g_maxTextureSizeOverride = 0;

constexpr unsigned kUserPictureFlags = SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y
    | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
static_assert(kUserPictureFlags == 178);

// No picture of ours comes near this; a larger file is not read at all.
constexpr long kMaxPictureFileBytes = 256L * 1024 * 1024;

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size >= 0 && size <= kMaxPictureFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<std::size_t>(size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
            size = -1;
    } else {
        size = -1;
    }
    std::fclose(file);
    if (size < 0)
        return std::nullopt;
    return bytes;
}

int maxTextureSize()
{
    if (g_maxTextureSizeOverride > 0)
        return g_maxTextureSizeOverride;
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

// The pixel-store state the loaders' buffers are laid out for (rows aligned to 4 bytes,
// nothing skipped), set for the life of the object and restored afterwards.
class DefaultPixelStore {
public:
    DefaultPixelStore()
    {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        for (GLenum alignment : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT})
            glPixelStorei(alignment, 4);
        for (GLenum zero : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                            GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST, GL_PACK_ROW_LENGTH,
                            GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS, GL_PACK_SWAP_BYTES,
                            GL_PACK_LSB_FIRST})
            glPixelStorei(zero, 0);
    }
    ~DefaultPixelStore() { glPopClientAttrib(); }
    DefaultPixelStore(const DefaultPixelStore &) = delete;
    DefaultPixelStore &operator=(const DefaultPixelStore &) = delete;
};

// The picture decoded by Qt, when it is a JPEG, PNG or BMP of a size we take and decodes
// whole. SOIL's own decoders stop the program with an assertion on some damaged data (a
// PNG whose compressed stream is malformed, a JPEG with a bad Huffman code), so a user's
// picture never reaches them: SOIL gets the decoded pixels.
std::optional<QImage> readUserPicture(const std::string &path)
{
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    reader.setAutoTransform(false);
    if (!reader.canRead())
        return std::nullopt;
    const QByteArray format = reader.format().toLower();
    if (format != "jpeg" && format != "jpg" && format != "png" && format != "bmp")
        return std::nullopt;
    // An unknown size is (-1, -1); a BMP stored top row first reports a negative height.
    const QSize size = reader.size();
    const int height = std::abs(size.height());
    if (size.width() < 1 || size.width() > kMaxUserPictureSide || height < 1
        || height > kMaxUserPictureSide)
        return std::nullopt;
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return std::nullopt;
    return decoded;
}

} // namespace

void setMaxTextureSizeOverride(int size) { g_maxTextureSizeOverride = size > 0 ? size : 0; }

void loadMipmappedTexture(const std::string &path, GLuint *name)
{
    if (name == nullptr)
        return;
    glGenTextures(1, name);
    glBindTexture(GL_TEXTURE_2D, *name);

    const auto file = readWholeFile(path);
    if (!file)
        return;
    const auto picture = decodeMipmapBmp(*file);
    if (!picture)
        return;

    {
        DefaultPixelStore store;
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, picture->width, picture->height, GL_RGBA,
                          GL_UNSIGNED_BYTE, picture->pixels.data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}

void loadTexture(const std::string &path, GLuint *name)
{
    if (name == nullptr)
        return;
    glGenTextures(1, name);
    glBindTexture(GL_TEXTURE_2D, *name);

    const auto file = readWholeFile(path);
    if (!file)
        return;
    const auto layout = parsePlainBmp(*file);
    if (!layout)
        return;

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    const TextureFit fit = fitPlainTexture(*layout, maxTextureSize());
    const GLint components = fit.fourChannels ? 4 : 3;
    const GLenum uploadFormat = fit.fourChannels ? GL_BGRA_EXT : GL_BGR_EXT;
    DefaultPixelStore store;

    if (fit.uploadUnchanged) {
        glTexImage2D(GL_TEXTURE_2D, 0, components, fit.width, fit.height, 0, uploadFormat,
                     GL_UNSIGNED_BYTE, file->data() + layout->pixelOffset);
        return;
    }

    std::vector<std::uint8_t> expanded;
    const std::uint8_t *source = file->data() + layout->pixelOffset;
    if (layout->bitsPerPixel == 8) {
        expanded = expandPalettePicture(*file, *layout);
        if (expanded.empty())
            return;
        source = expanded.data();
    }
    // Rows of the scaled picture are padded to 4 bytes like every row GL writes here (a
    // 2-pixel-wide 24-bit row takes 8 bytes, not 6).
    const std::size_t targetStride = bmpRowStride(fit.fourChannels ? 32 : 24, fit.width);
    std::vector<std::uint8_t> scaled(targetStride * static_cast<std::size_t>(fit.height));
    const GLenum scaleFormat = fit.fourChannels ? GL_BGRA_EXT : GL_RGB;
    if (gluScaleImage(scaleFormat, layout->width, layout->height, GL_UNSIGNED_BYTE, source,
                      fit.width, fit.height, GL_UNSIGNED_BYTE, scaled.data())
        != 0)
        return;
    glTexImage2D(GL_TEXTURE_2D, 0, components, fit.width, fit.height, 0, uploadFormat,
                 GL_UNSIGNED_BYTE, scaled.data());
}

GLuint loadUserPicture(const std::string &path)
{
    const std::optional<QImage> picture = readUserPicture(path);
    if (!picture)
        return 0;
    // Top row first, rows packed tight: three channels, or four where the picture has
    // an alpha channel, as SOIL's own loading keeps them.
    const bool alpha = picture->hasAlphaChannel();
    const QImage pixels = picture->convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int channels = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(pixels.width()) * channels;
    std::vector<unsigned char> packed(rowBytes * std::size_t(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(packed.data() + rowBytes * std::size_t(y), pixels.constScanLine(y), rowBytes);
    return SOIL_create_OGL_texture(packed.data(), pixels.width(), pixels.height(), channels,
                                   SOIL_CREATE_NEW_ID, kUserPictureFlags);
}

void loadEmbeddedTexture(const std::string &directory, int id, const std::string &baseName,
                         void (*loader)(const std::string &path, GLuint *name), GLuint *name)
{
    if (loader == nullptr)
        return;
    const ExitDeferred filesExist; // a stop signal waits until both files are gone
    extractAsset(id, directory, baseName);
    loader(directory + baseName + descrambledSuffix(baseName), name);
    deleteAssetFile(directory + baseName + ".ad");
    deleteAssetFile(directory + baseName + descrambledSuffix(baseName));
}
