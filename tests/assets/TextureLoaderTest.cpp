#include "GlScene.h"
#include "TestBmp.h"
#include "TextureLoader.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>

using namespace testbmp;

namespace {

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size &) const = default;
};
std::ostream &operator<<(std::ostream &out, const Size &s) { return out << s.width << " x " << s.height; }

GLint levelParameter(GLuint texture, int level, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

Size levelSize(GLuint texture, int level = 0)
{
    return {levelParameter(texture, level, GL_TEXTURE_WIDTH), levelParameter(texture, level, GL_TEXTURE_HEIGHT)};
}

GLint parameter(GLuint texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// Level 0, tightly packed, `channels` bytes a pixel in `format`.
Bytes readBack(GLuint texture, GLenum format, int channels)
{
    const Size size = levelSize(texture);
    Bytes pixels(std::size_t(size.width) * size.height * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

class TextureLoaderTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    const std::string dir = temp.path().toStdString() + '/';

    void SetUp() override { GlScene::instance(); } // one GL context for the whole run
    void TearDown() override { setMaxTextureSizeOverride(0); }

    std::string file(const std::string &name, const Bytes &bytes) const
    {
        std::ofstream(dir + name, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        return dir + name;
    }

    GLuint plain(const Bytes &bytes)
    {
        GLuint name = 0;
        loadTexture(file("picture.bmp", bytes), &name);
        return name;
    }
};

const Bytes kPicture = bmp24(16, 8, gradient);

} // namespace

// ---- loadTexture --------------------------------------------------------------------

struct SizeCase {
    Bytes file;
    Size texture;
    GLint components;  // the internal format as given: 3 or 4
};
void PrintTo(const SizeCase &c, std::ostream *out) { *out << c.texture << " from " << c.file.size() << " bytes"; }

class TextureLoaderSizes : public TextureLoaderTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TextureLoaderSizes, uploadsPowerOfTwoSidesUpTo512)
{
    const GLuint name = plain(GetParam().file);
    EXPECT_EQ(levelSize(name), GetParam().texture);
    EXPECT_EQ(levelParameter(name, 0, GL_TEXTURE_INTERNAL_FORMAT), GetParam().components);
    EXPECT_EQ(parameter(name, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextureLoaderSizes, ::testing::Values(
    SizeCase{bmp24(64, 64, gradient), {64, 64}, 3},
    SizeCase{bmp24(1024, 512, gradient), {512, 512}, 3},
    SizeCase{bmp24(300, 200, gradient), {512, 256}, 3},
    SizeCase{bmp24(1, 1, gradient), {2, 2}, 3},
    SizeCase{bmp24(3, 5, gradient), {4, 8}, 3},
    SizeCase{bmp32(64, 64, {1, 2, 3}, 9), {64, 64}, 4},
    SizeCase{bmp32(100, 30, {1, 2, 3}, 9), {128, 32}, 4},
    SizeCase{bmp8(5, 3, {}, 2, [](int x, int) { return x % 2; }), {8, 4}, 3}));

TEST_F(TextureLoaderTest, aDriverLimitOf256Caps1024By512At256)
{
    setMaxTextureSizeOverride(256);
    EXPECT_EQ(levelSize(plain(bmp24(1024, 512, gradient))), (Size{256, 256}));
}

TEST_F(TextureLoaderTest, aFittingPictureGoesUpUnchangedAsBlueGreenRed)
{
    const Bytes bytes = bmp24(64, 64, gradient);
    const GLuint name = plain(bytes);
    EXPECT_EQ(readBack(name, GL_BGR, 3), Bytes(bytes.begin() + 54, bytes.end()));  // rows of 192 bytes
    const Bytes rgb = readBack(name, GL_RGB, 3);
    const std::size_t at = (20 * 64 + 10) * 3;  // pixel (10, 20): red x + y, green 5 y, blue 3 x
    EXPECT_EQ(Bytes(rgb.begin() + at, rgb.begin() + at + 3), (Bytes{30, 100, 30}));
}

TEST_F(TextureLoaderTest, thirtyTwoBitPicturesGoUpAsBlueGreenRedAlpha)
{
    const Bytes rgba = readBack(plain(bmp32(4, 4, {10, 20, 30}, 77)), GL_RGBA, 4);
    EXPECT_EQ(Bytes(rgba.begin(), rgba.begin() + 4), (Bytes{30, 20, 10, 77}));
}

// The scaled 2-pixel rows are 8 bytes, not 6: a 1 x 1 picture fills its 2 x 2 texture.
TEST_F(TextureLoaderTest, aSinglePixelFillsItsTwoByTwoTexture)
{
    const GLuint name = plain(bmp24(1, 1, [](int, int) { return Bgr{200, 100, 50}; }));
    EXPECT_EQ(readBack(name, GL_RGB, 3), (Bytes{50, 100, 200, 50, 100, 200, 50, 100, 200, 50, 100, 200}));
}

// Palette entries used 0: 256 entries, and the pixels start 1024 bytes after the
// information header.
TEST_F(TextureLoaderTest, anEightBitPictureWithPaletteCountZeroReadsPixelsAfter1024Bytes)
{
    std::vector<Bgr> palette(256);
    palette[3] = {0, 0, 255};    // red
    palette[200] = {255, 0, 0};  // blue
    const std::uint8_t indices[2][2] = {{3, 200}, {200, 3}};
    const Bytes bytes = bmp8(2, 2, palette, 0, [&](int x, int y) { return indices[y][x]; });
    ASSERT_EQ(bytes.size(), 54u + 1024 + 8);
    const GLuint name = plain(bytes);
    ASSERT_EQ(levelSize(name), (Size{2, 2}));
    EXPECT_EQ(readBack(name, GL_RGB, 3), (Bytes{255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0}));
}

class TextureLoaderBadFiles : public TextureLoaderTest, public ::testing::WithParamInterface<std::pair<const char *, Bytes>> {};

TEST_P(TextureLoaderBadFiles, leaveTheNamedTextureWithoutImage)
{
    for (auto loader : {&loadTexture, &loadMipmappedTexture}) {
        GLuint name = 0;
        loader(file("bad.bmp", GetParam().second), &name);
        EXPECT_NE(name, 0u) << GetParam().first;
        EXPECT_EQ(levelSize(name), (Size{0, 0})) << GetParam().first;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TextureLoaderBadFiles, ::testing::Values(
    std::pair{"empty", Bytes{}},
    std::pair{"14 bytes", cut(kPicture, 14)},
    std::pair{"not BM", withU32(kPicture, 0, 0x4D43)},
    std::pair{"headers cut", cut(kPicture, 50)},
    std::pair{"rows cut", cut(kPicture, kPicture.size() - 1)},
    std::pair{"claims 30000 x 30000", withU32(withU32(kPicture, 18, 30000), 22, 30000)},
    std::pair{"negative height", withU32(kPicture, 22, 0xFFFFFFF8u)}));

TEST_F(TextureLoaderTest, aMissingFileLeavesTheNamedTextureWithoutImage)
{
    GLuint first = 0, second = 0;
    loadTexture(dir + "none.bmp", &first);
    loadMipmappedTexture(dir + "none.bmp", &second);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(levelSize(first), (Size{0, 0}));
    EXPECT_EQ(levelSize(second), (Size{0, 0}));
}

// ---- loadMipmappedTexture -----------------------------------------------------------

TEST_F(TextureLoaderTest, mipmappedLoaderMakesBlackAloneTransparent)
{
    // 4 x 2 (rows of 12 bytes, no padding): black, then (0, 0, 1) in each channel.
    const Bgr colours[2][4] = {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {10, 20, 30}}};
    GLuint name = 0;
    loadMipmappedTexture(file("bg.bmp", bmp24(4, 2, [&](int x, int y) { return colours[y][x]; })), &name);
    ASSERT_EQ(levelSize(name), (Size{4, 2}));
    EXPECT_EQ(readBack(name, GL_RGBA, 4), (Bytes{0, 0, 0, 0, 0, 0, 1, 255, 0, 1, 0, 255, 1, 0, 0, 255,
                                                 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 30, 20, 10, 255}));
}

TEST_F(TextureLoaderTest, mipmappedLoaderBuildsEveryLevelAndSetsItsParameters)
{
    GLuint name = 0;
    loadMipmappedTexture(file("bg.bmp", kPicture), &name);
    EXPECT_EQ(levelSize(name, 0), (Size{16, 8}));
    EXPECT_EQ(levelSize(name, 1), (Size{8, 4}));
    EXPECT_EQ(levelSize(name, 4), (Size{1, 1}));
    EXPECT_EQ(parameter(name, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(parameter(name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(name, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(name, GL_TEXTURE_WRAP_T), GL_REPEAT);
}

// ---- User pictures (SOIL) -----------------------------------------------------------

TEST_F(TextureLoaderTest, userPicturesInTheThreeFormatsLoad)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 220));
    for (const char *format : {"PNG", "JPEG", "BMP"}) {
        const QString path = temp.path() + "/picture." + QString(format).toLower();
        ASSERT_TRUE(image.save(path, format));
        EXPECT_EQ(levelSize(loadUserPicture(path.toStdString())), (Size{512, 256})) << format;
    }
    // A BMP stored top row first has a negative height.
    EXPECT_EQ(levelSize(loadUserPicture(file("topdown.bmp", withU32(bmp24(4, 4, gradient), 22, std::uint32_t(-4))))), (Size{4, 4}));
    // The largest sides admitted.
    for (const QSize size : {QSize(4096, 2), QSize(2, 4096)}) {
        QImage edge(size, QImage::Format_RGB32);
        edge.fill(Qt::white);
        ASSERT_TRUE(edge.save(temp.path() + "/edge.png", "PNG"));
        EXPECT_EQ(levelSize(loadUserPicture(dir + "edge.png")), (Size{size.width(), size.height()}));
    }
}

TEST_F(TextureLoaderTest, userPicturesThatFailTheCheckGiveZero)
{
    // One pixel past the largest side, across and down (SOIL would load them, slowly).
    QImage wide(4097, 2, QImage::Format_RGB32);
    wide.fill(Qt::white);
    ASSERT_TRUE(wide.save(temp.path() + "/wide.png", "PNG"));
    ASSERT_TRUE(wide.transformed(QTransform().rotate(90)).save(temp.path() + "/tall.jpg", "JPEG"));
    ASSERT_TRUE(wide.copy(0, 0, 8, 2).save(temp.path() + "/other.ppm", "PPM"));
    // A 7 x 2 grey PNG whose compressed stream is damaged (its code lengths over-fill the
    // code space): SOIL's decoder stops the program with an assertion on it.
    const Bytes damaged = {
        137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 7, 0, 0, 0, 2, 8, 0,
        0, 0, 0, 177, 244, 153, 188, 0, 0, 0, 9, 112, 72, 89, 115, 0, 0, 14, 196, 0, 0, 14, 196, 1,
        149, 43, 14, 27, 0, 0, 0, 24, 73, 68, 65, 84, 8, 153, 100, 16, 19, 16, 99, 19, 19, 19, 99,
        204, 101, 100, 103, 17, 96, 103, 7, 0, 9, 59, 1, 24, 202, 86, 49, 60, 0, 0, 0, 0, 73, 69,
        78, 68, 174, 66, 96, 130};
    const std::string paths[] = {
        file("huge.bmp", withU32(withU32(kPicture, 18, 30000), 22, 30000)),  // SOIL would crash
        file("damaged.png", damaged),
        file("text.png", {'h', 'e', 'l', 'l', 'o'}), file("empty.jpg", {}), dir + "wide.png",
        dir + "tall.jpg", dir + "other.ppm", dir + "missing.png", dir, ""};
    for (const std::string &path : paths)
        EXPECT_EQ(loadUserPicture(path), 0u) << path;
}

// ---- The whole life of a built-in picture -----------------------------------------

TEST_F(TextureLoaderTest, anEmbeddedPictureLoadsAndLeavesNoFile)
{
    GLuint name = 0, missing = 0;
    loadEmbeddedTexture(dir, 9003, "fish0", &loadTexture, &name);  // 4 x 4, red 200, green 40 y
    ASSERT_EQ(levelSize(name), (Size{4, 4}));
    const Bytes rgb = readBack(name, GL_RGB, 3);
    EXPECT_EQ(Bytes(rgb.begin() + 15, rgb.begin() + 18), (Bytes{200, 40, 40}));  // pixel (1, 1)
    loadEmbeddedTexture(dir, 4242, "fish1", &loadTexture, &missing);
    EXPECT_NE(missing, 0u);
    EXPECT_EQ(levelSize(missing), (Size{0, 0}));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}
