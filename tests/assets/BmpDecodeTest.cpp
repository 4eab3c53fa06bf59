#include "BmpDecode.h"
#include "TestBmp.h"

#include <gtest/gtest.h>

using namespace testbmp;

namespace {

struct BadFile {
    const char *what;
    Bytes bytes;
};
void PrintTo(const BadFile &c, std::ostream *out) { *out << c.what; }

const Bytes kGood24 = bmp24(3, 2, gradient);                                // rows of 12 bytes, 78 in all
const Bytes kGood32 = bmp32(3, 2, {1, 2, 3}, 255);                          // rows of 12 bytes
const Bytes kGood8 = bmp8(5, 2, {{1, 2, 3}}, 1, [](int, int) { return 0; }); // palette 4, rows of 8: 74
const Bytes kGood8x2 = bmp24(8, 2, gradient);                               // unpadded rows: 48 bytes, 102
const Bytes k16Bit2x2 = bmp(2, 2, 16, 0, {}, [](int, int) { return Bytes{0, 0}; });  // rows of 4 bytes

} // namespace

// ---- The mipmapped loader's reading -------------------------------------------------

TEST(MipmapBmp, readsAtTheHeadersOffsetAndMakesBlackAloneTransparent)
{
    // 4 x 1: black, blue 1, red 1, white; 16 filler bytes before the pixels.
    const Bgr colours[] = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {255, 255, 255}};
    Bytes file = bmp24(4, 1, [&](int x, int) { return colours[x]; });
    file.insert(file.begin() + 54, 16, 0xEE);
    const auto picture = decodeMipmapBmp(withU32(file, 10, 54 + 16));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 4);
    EXPECT_EQ(picture->height, 1);
    EXPECT_EQ(picture->pixels, (Bytes{0, 0, 0, 0, 0, 0, 1, 255, 1, 0, 0, 255, 255, 255, 255, 255}));
}

class MipmapBmpRejects : public ::testing::TestWithParam<BadFile> {};

TEST_P(MipmapBmpRejects, aFileThatDoesNotFit) { EXPECT_FALSE(decodeMipmapBmp(GetParam().bytes)); }

INSTANTIATE_TEST_SUITE_P(Cases, MipmapBmpRejects, ::testing::Values(
    BadFile{"empty", {}},
    BadFile{"not BM", withU32(kGood8x2, 0, 0x4142)},
    BadFile{"headers cut", cut(kGood8x2, 53)},
    BadFile{"width 0", withU32(kGood8x2, 18, 0)},
    BadFile{"negative height", withU32(kGood8x2, 22, std::uint32_t(-2))},
    BadFile{"image size 0", withU32(kGood8x2, 34, 0)},
    BadFile{"offset past the end", withU32(kGood8x2, 10, 103)},
    BadFile{"offset near 4 GiB", withU32(kGood8x2, 10, 0xFFFFFFF0u)},
    BadFile{"image past the end", withU32(kGood8x2, 34, 49)},
    BadFile{"pixels cut", cut(kGood8x2, 101)},
    BadFile{"fewer pixels than width x height", withU32(kGood8x2, 34, 45)},
    BadFile{"huge width", withU32(kGood8x2, 18, 0x7FFFFFFF)}));

// ---- The plain loader's reading -----------------------------------------------------

TEST(PlainBmp, findsThePixelsWithoutTheHeadersOffset)
{
    // file, pixel offset expected (the header's offset field says 1000 each time)
    const std::pair<Bytes, std::size_t> cases[] = {
        {kGood24, 54},
        {kGood32, 54},
        {bmp8(4, 2, {}, 0, [](int, int) { return 0; }), 54 + 1024},  // palette count 0: 256 entries
        {bmp8(4, 2, {}, 2, [](int, int) { return 0; }), 54 + 8},
        {cut(k16Bit2x2, 54 + 16), 54},  // read as 24-bit: two rows of 8 bytes
    };
    for (const auto &[file, pixelOffset] : cases) {
        const auto layout = parsePlainBmp(withU32(file, 10, 1000));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->pixelOffset, pixelOffset) << layout->bitsPerPixel << " bits";
    }
}

class PlainBmpRejects : public ::testing::TestWithParam<BadFile> {};

TEST_P(PlainBmpRejects, aFileThatDoesNotFit) { EXPECT_FALSE(parsePlainBmp(GetParam().bytes)); }

INSTANTIATE_TEST_SUITE_P(Cases, PlainBmpRejects, ::testing::Values(
    BadFile{"empty", {}},
    BadFile{"14 bytes", cut(kGood24, 14)},
    BadFile{"not BM", withU32(kGood24, 0, 0x4D41)},
    BadFile{"information header cut", cut(kGood24, 40)},
    BadFile{"width 0", withU32(kGood24, 18, 0)},
    BadFile{"negative width", withU32(kGood24, 18, std::uint32_t(-3))},
    BadFile{"negative height", withU32(kGood24, 22, std::uint32_t(-2))},
    BadFile{"height beyond the rows", withU32(kGood24, 22, 3)},
    BadFile{"huge height", withU32(kGood24, 22, 0x7FFFFFFF)},
    BadFile{"16-bit rows too short for 24-bit", k16Bit2x2},
    BadFile{"palette count past the end", withU32(kGood8, 46, 0x40000000)},
    BadFile{"palette count near 4 GiB", withU32(kGood8, 46, 0xFFFFFFFFu)}));

// Every prefix of a good file is rejected: nothing past its end is ever taken as pixels.
TEST(PlainBmp, everyTruncationIsRejected)
{
    for (const Bytes *file : {&kGood24, &kGood32, &kGood8})
        for (std::size_t size = 0; size < file->size(); ++size)
            EXPECT_FALSE(parsePlainBmp(cut(*file, size))) << size << " of " << file->size();
    for (std::size_t size = 0; size < kGood8x2.size(); ++size)
        EXPECT_FALSE(decodeMipmapBmp(cut(kGood8x2, size))) << size;
}

TEST(PlainBmp, paletteExpansionGivesPaddedBlueGreenRedRows)
{
    const std::uint8_t indices[2][3] = {{0, 1, 0}, {1, 1, 0}};
    const Bytes file = bmp8(3, 2, {{10, 20, 30}, {40, 50, 60}}, 2, [&](int x, int y) { return indices[y][x]; });
    EXPECT_EQ(expandPalettePicture(file, *parsePlainBmp(file)), (Bytes{
        10, 20, 30, 40, 50, 60, 10, 20, 30, 0, 0, 0,  // 9 bytes + 3 of padding
        40, 50, 60, 40, 50, 60, 10, 20, 30, 0, 0, 0}));
}

TEST(PlainBmp, paletteIndexBeyondTheFileGivesBlack)
{
    // Entry 255 would lie at byte 54 + 1020 of a 62-byte file.
    const Bytes file = bmp8(1, 1, {{7, 8, 9}}, 1, [](int, int) { return 255; });
    ASSERT_EQ(file.size(), 62u);
    EXPECT_EQ(expandPalettePicture(file, *parsePlainBmp(file)), (Bytes{0, 0, 0, 0}));
}

TEST(PlainBmp, onlyTwentyFourAndThirtyTwoBitPicturesOfFittedSizeGoUpUnchanged)
{
    // width, height, bits -> unchanged
    const std::tuple<int, int, int, bool> cases[] = {
        {64, 64, 24, true}, {64, 64, 32, true}, {128, 32, 24, true}, {64, 64, 8, false},
        {64, 64, 16, false}, {300, 200, 24, false}, {1, 1, 24, false}, {1024, 512, 32, false}};
    for (const auto &[width, height, bits, unchanged] : cases) {
        const PlainBmpLayout layout{width, height, bits, 0, 0};
        EXPECT_EQ(fitPlainTexture(layout, 16384).uploadUnchanged, unchanged) << width << "x" << height << "x" << bits;
    }
}
