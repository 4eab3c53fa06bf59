// The generated asset store as the program finds it: every id present, every picture a
// 24-bit BMP of the stated size, the tune a loopable 16-bit WAVE.

#include "art_StoredAsset.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>

using namespace arttest;

namespace {

struct BmpInfo {
    bool magic = false;
    uint32_t fileSize = 0;
    uint32_t pixelOffset = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
};

BmpInfo readBmp(const std::vector<uint8_t>& b)
{
    BmpInfo info;
    if (b.size() < 54)
        return info;
    info.magic = b[0] == 'B' && b[1] == 'M';
    info.fileSize = le32(b, 2);
    info.pixelOffset = le32(b, 10);
    info.width = static_cast<int32_t>(le32(b, 18));
    info.height = static_cast<int32_t>(le32(b, 22));
    info.bitsPerPixel = le16(b, 28);
    info.compression = le32(b, 30);
    info.imageSize = le32(b, 34);
    return info;
}

// Blue-green-red of the pixel at column x, row y counted from the TOP of the picture.
struct Bgr {
    int b, g, r;
};

Bgr pixelFromTop(const std::vector<uint8_t>& bmp, int width, int height, int x, int y)
{
    const size_t row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t at = 54 + (height - 1 - y) * row + x * 3;
    return {bmp[at], bmp[at + 1], bmp[at + 2]};
}

} // namespace

struct StoredPicture {
    int id;
    int width;
    int height;
};

void PrintTo(const StoredPicture& p, std::ostream* os)
{
    *os << "id " << p.id << ", " << p.width << " x " << p.height;
}

class StoredPictures : public testing::TestWithParam<StoredPicture> {};

TEST_P(StoredPictures, isUncompressed24BitBmpOfItsSize)
{
    const StoredPicture p = GetParam();
    const std::vector<uint8_t> bmp = storedAsset(p.id);
    const BmpInfo info = readBmp(bmp);
    const uint32_t pixels = p.width * p.height * 3; // all widths are multiples of 4
    EXPECT_TRUE(info.magic);
    EXPECT_EQ(info.width, p.width);
    EXPECT_EQ(info.height, p.height);
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_EQ(info.compression, 0u);
    EXPECT_EQ(info.pixelOffset, 54u); // pixels right after the information header
    EXPECT_EQ(info.imageSize, pixels);
    EXPECT_EQ(info.fileSize, 54 + pixels);
    EXPECT_EQ(bmp.size(), 54 + pixels);
}

std::vector<StoredPicture> allPictures()
{
    std::vector<StoredPicture> list = {{154, 1024, 512}, {166, 64, 64}};
    for (int s = 0; s < 25; ++s)
        list.push_back({10000 + s, 128, 128});
    return list;
}

INSTANTIATE_TEST_SUITE_P(Store, StoredPictures, testing::ValuesIn(allPictures()),
                         [](const auto& info) { return "id" + std::to_string(info.param.id); });

TEST(StoredStore, holdsNothingUnderUnknownIds)
{
    for (int id : {0, 155, 9999, 10025})
        EXPECT_FALSE(QFile::exists(QStringLiteral(":/RCAD/%1").arg(id))) << id;
}

TEST(StoredBackground, hasNoPureBlackPixelAndUnpaddedRows)
{
    const std::vector<uint8_t> bmp = storedAsset(154);
    ASSERT_EQ(bmp.size(), 54u + 1024 * 512 * 3); // 3072-byte rows: no padding
    size_t black = 0;
    for (size_t i = 54; i + 2 < bmp.size(); i += 3)
        black += bmp[i] == 0 && bmp[i + 1] == 0 && bmp[i + 2] == 0;
    EXPECT_EQ(black, 0u);
}

TEST(StoredBackground, isLighterAtTheSurfaceThanInTheMiddle)
{
    const std::vector<uint8_t> bmp = storedAsset(154);
    ASSERT_EQ(bmp.size(), 54u + 1024 * 512 * 3);
    const Bgr top = pixelFromTop(bmp, 1024, 512, 512, 4);
    const Bgr middle = pixelFromTop(bmp, 1024, 512, 512, 300);
    EXPECT_GT(top.g, middle.g + 40);
    EXPECT_GT(top.b, top.r); // water, not sky
}

TEST(StoredBubble, isARingOnBlack)
{
    const std::vector<uint8_t> bmp = storedAsset(166);
    ASSERT_EQ(bmp.size(), 54u + 64 * 64 * 3);
    for (auto [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}, {32, 0}}) {
        const Bgr p = pixelFromTop(bmp, 64, 64, x, y);
        EXPECT_EQ(p.b + p.g + p.r, 0) << x << "," << y;
    }
    // Bright on the rim (left and right edge of the middle row), nearly clear inside.
    const Bgr left = pixelFromTop(bmp, 64, 64, 3, 32);
    const Bgr right = pixelFromTop(bmp, 64, 64, 60, 32);
    const Bgr inside = pixelFromTop(bmp, 64, 64, 36, 36);
    EXPECT_GT(left.b, 150);
    EXPECT_GT(right.b, 150);
    EXPECT_LT(inside.b, 60);
}

class StoredSkin : public testing::TestWithParam<int> {};

// The eye sits in the front third, upper half: near x = 19, y = 46 from the top.
TEST_P(StoredSkin, hasADarkPupilInTheFrontUpperPart)
{
    const std::vector<uint8_t> bmp = storedAsset(10000 + GetParam());
    ASSERT_EQ(bmp.size(), 54u + 128 * 128 * 3);
    const Bgr pupil = pixelFromTop(bmp, 128, 128, 19, 46);
    EXPECT_LT(pupil.b + pupil.g + pupil.r, 90);
}

INSTANTIATE_TEST_SUITE_P(Species, StoredSkin, testing::Range(0, 25));

TEST(StoredSkins, differPairwise)
{
    std::vector<std::vector<uint8_t>> skins;
    for (int s = 0; s < 25; ++s)
        skins.push_back(storedAsset(10000 + s));
    for (int i = 0; i < 25; ++i) {
        for (int j = i + 1; j < 25; ++j) {
            ASSERT_EQ(skins[i].size(), skins[j].size());
            double sum = 0;
            for (size_t k = 54; k < skins[i].size(); ++k)
                sum += std::abs(int(skins[i][k]) - int(skins[j][k]));
            const double mean = sum / (skins[i].size() - 54);
            EXPECT_GT(mean, 12.0) << "fish" << i << " and fish" << j << " look alike";
        }
    }
}

namespace {

struct Wave {
    std::vector<uint8_t> bytes;
    size_t frames() const { return (bytes.size() - 44) / 4; }
    int sample(size_t frame, int channel) const
    {
        const size_t at = 44 + frame * 4 + channel * 2;
        return static_cast<int16_t>(le16(bytes, at));
    }
};

} // namespace

TEST(StoredMusic, isStereo16BitPcmWave)
{
    const std::vector<uint8_t> w = storedAsset(227);
    ASSERT_GT(w.size(), 44u);
    EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
    EXPECT_EQ(le32(w, 4), w.size() - 8);
    EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le32(w, 16), 16u);
    EXPECT_EQ(le16(w, 20), 1);   // PCM
    EXPECT_EQ(le16(w, 22), 2);   // stereo
    const uint32_t rate = le32(w, 24);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    EXPECT_EQ(le32(w, 28), rate * 4);
    EXPECT_EQ(le16(w, 32), 4);
    EXPECT_EQ(le16(w, 34), 16);
    EXPECT_EQ(std::string(w.begin() + 36, w.begin() + 40), "data");
    EXPECT_EQ(le32(w, 40), w.size() - 44);
}

TEST(StoredMusic, lastsThirtyToSixtySeconds)
{
    const Wave w{storedAsset(227)};
    ASSERT_GT(w.bytes.size(), 44u);
    const double seconds = double(w.frames()) / le32(w.bytes, 24);
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
}

TEST(StoredMusic, peaksBelowMinus3dBFSButIsNotQuiet)
{
    const Wave w{storedAsset(227)};
    ASSERT_GT(w.bytes.size(), 44u);
    int peak = 0;
    for (size_t f = 0; f < w.frames(); ++f)
        for (int c = 0; c < 2; ++c)
            peak = std::max(peak, std::abs(w.sample(f, c)));
    EXPECT_LT(peak, 23197); // 32768 * 10^(-3/20)
    EXPECT_GT(peak, 11626); // -9 dBFS
}

TEST(StoredMusic, loopsWithoutAJumpAtTheSeam)
{
    const Wave w{storedAsset(227)};
    ASSERT_GT(w.frames(), 2u);
    for (int c = 0; c < 2; ++c) {
        double steps = 0;
        for (size_t f = 1; f < w.frames(); ++f)
            steps += std::abs(w.sample(f, c) - w.sample(f - 1, c));
        const double typical = steps / (w.frames() - 1);
        const int seam = std::abs(w.sample(0, c) - w.sample(w.frames() - 1, c));
        EXPECT_LT(seam, 3 * typical) << "channel " << c;
    }
}
