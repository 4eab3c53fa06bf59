// The generator's own painting tools: colour helpers, the BMP and WAVE writers, the
// random source, the noise and the stroke rasteriser.

#include "Canvas.h"
#include "Music.h"
#include "Noise.h"
#include "Stroke.h"

#include <gtest/gtest.h>

#include <map>

using namespace assetgen;

TEST(ColourHelpers, smoothstepRisesAndFallsWithItsEdges)
{
    EXPECT_DOUBLE_EQ(smoothstep(0, 1, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(smoothstep(0, 1, 0.25), 0.15625);
    EXPECT_DOUBLE_EQ(smoothstep(1, 0, 0.25), 0.84375); // edges swapped: falling
    EXPECT_DOUBLE_EQ(smoothstep(0, 1, -3), 0.0);
    EXPECT_DOUBLE_EQ(smoothstep(0, 1, 7), 1.0);
}

TEST(ColourHelpers, shadeDarkensBelowOneAndLightensTowardsWhiteAboveOne)
{
    const Rgb c{0.4, 0.2, 0.8};
    const Rgb darker = shade(c, 0.5);
    EXPECT_DOUBLE_EQ(darker.r, 0.2);
    EXPECT_DOUBLE_EQ(darker.g, 0.1);
    EXPECT_DOUBLE_EQ(darker.b, 0.4);
    const Rgb lighter = shade(c, 1.5);
    EXPECT_DOUBLE_EQ(lighter.r, 0.7);
    EXPECT_DOUBLE_EQ(lighter.g, 0.6);
    EXPECT_DOUBLE_EQ(lighter.b, 0.9);
}

TEST(Canvas, roundsAndClampsToEightBits)
{
    Canvas canvas(3, 1);
    canvas.at(0, 0) = {-0.5, 1.5, 0.5};
    canvas.at(1, 0) = {0.2, 0.0, 1.0};
    canvas.blend(2, 0, {1, 1, 1}, 0.25); // a quarter of white over black
    canvas.blend(5, 0, {1, 1, 1}, 1.0);  // outside: ignored
    EXPECT_EQ(canvas.toRgb8(), (std::vector<uint8_t>{0, 255, 128, 51, 0, 255, 64, 64, 64}));
}

TEST(BmpWriter, writesBottomRowFirstInBlueGreenRedWithPaddedRows)
{
    Canvas canvas(3, 2);
    canvas.at(0, 0) = {1, 0, 0}; // top row: red, green, blue
    canvas.at(1, 0) = {0, 1, 0};
    canvas.at(2, 0) = {0, 0, 1};
    canvas.at(0, 1) = {1, 1, 1}; // bottom row: white, black, grey
    canvas.at(2, 1) = {0.5, 0.5, 0.5};
    const std::vector<uint8_t> bmp = encodeBmp24(canvas);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12); // 9 bytes a row padded to 12
    const std::vector<uint8_t> header = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
        0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin(), bmp.begin() + 54), header);
    const std::vector<uint8_t> pixels = {
        255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0, // bottom row first
        0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};      // then the top row, blue-green-red
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.end()), pixels);
}

TEST(WaveWriter, writesCanonicalHeaderAndLittleEndianSamples)
{
    StereoPcm pcm;
    pcm.sampleRate = 22050;
    pcm.samples = {1, -2, 300, -32768};
    const std::vector<uint8_t> wav = encodeWav(pcm);
    const std::vector<uint8_t> expected = {
        'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E',
        'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0,
        0x22, 0x56, 0, 0,          // 22050
        0x88, 0x58, 0x01, 0,       // 88200 bytes a second
        4, 0, 16, 0,
        'd', 'a', 't', 'a', 8, 0, 0, 0,
        1, 0, 0xfe, 0xff, 0x2c, 0x01, 0x00, 0x80};
    EXPECT_EQ(wav, expected);
}

TEST(Prng, followsTheSplitMix64Sequence)
{
    Prng rng(0);
    EXPECT_EQ(rng.next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(rng.next(), 0x6E789E6AA1B965F4ull);
}

TEST(Prng, rangeStaysInsideItsBounds)
{
    Prng rng(42);
    for (int i = 0; i < 10000; ++i) {
        const double x = rng.range(-3, 5);
        ASSERT_GE(x, -3);
        ASSERT_LT(x, 5);
    }
}

TEST(ValueNoise, meetsTheLatticeValuesAtWholeCoordinates)
{
    EXPECT_DOUBLE_EQ(valueNoise(3, 5, 9), latticeHash(3, 5, 9) * 2 - 1);
    EXPECT_DOUBLE_EQ(valueNoise(-4, 2, 9), latticeHash(-4, 2, 9) * 2 - 1);
    EXPECT_NE(valueNoise(3, 5, 9), valueNoise(3, 5, 10)); // seeds are independent fields
}

TEST(ValueNoise, fbmCoversMostOfMinusOneToOne)
{
    double lo = 1, hi = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const double n = fbm(x * 0.037, y * 0.041, 7);
            lo = std::min(lo, n);
            hi = std::max(hi, n);
        }
    EXPECT_GE(lo, -1.0);
    EXPECT_LE(hi, 1.0);
    EXPECT_LT(lo, -0.4);
    EXPECT_GT(hi, 0.4);
}

namespace {

std::map<std::pair<int, int>, StrokeSample> rasterise(const std::vector<StrokePoint>& points, int w, int h)
{
    std::map<std::pair<int, int>, StrokeSample> hits;
    rasteriseStroke(points, w, h, [&](int x, int y, const StrokeSample& s) {
        EXPECT_TRUE(x >= 0 && y >= 0 && x < w && y < h) << x << "," << y;
        EXPECT_FALSE(hits.count({x, y})) << "pixel visited twice";
        hits[{x, y}] = s;
    });
    return hits;
}

} // namespace

// A bar from (2, 5) to (12, 5), 4 pixels thick: rows 3 to 6 (centres 3.5 .. 6.5).
TEST(StrokeRasteriser, coversAThickBarWithSoftEnds)
{
    const auto hits = rasterise({{2, 5, 2}, {12, 5, 2}}, 16, 10);
    ASSERT_TRUE(hits.count({7, 5}));
    EXPECT_DOUBLE_EQ(hits.at({7, 5}).coverage, 1.0);
    EXPECT_DOUBLE_EQ(hits.at({7, 5}).along, 0.55); // centre 7.5 of 2 .. 12
    EXPECT_DOUBLE_EQ(hits.at({7, 3}).coverage, 1.0);
    EXPECT_FALSE(hits.count({7, 7})); // centre 7.5 lies 2.5 away: outside
    EXPECT_FALSE(hits.count({7, 1}));
    // Opposite sides of the bar report opposite signs across it.
    EXPECT_LT(hits.at({7, 3}).across * hits.at({7, 6}).across, 0);
    // Round cap: the pixel just past the end is partly covered.
    ASSERT_TRUE(hits.count({13, 5}));
    EXPECT_GT(hits.at({13, 5}).coverage, 0.0);
    EXPECT_FALSE(hits.count({15, 5}));
}

TEST(StrokeRasteriser, staysInsideThePictureForStrokesCrossingItsBorder)
{
    const auto hits = rasterise({{-20, -20, 6}, {40, 30, 6}}, 16, 10);
    EXPECT_FALSE(hits.empty());
    EXPECT_TRUE(rasterise({{-50, -50, 3}, {-30, -40, 3}}, 16, 10).empty());
    EXPECT_TRUE(rasterise({{5, 5, 3}}, 16, 10).empty()); // one point is no stroke
}

TEST(CurveStroke, runsFromFirstToLastPointWithTaperAndBulge)
{
    const auto points = curveStroke(0, 0, 10, 0, 20, 0, 4, 2, 5, 10);
    ASSERT_EQ(points.size(), 11u);
    EXPECT_DOUBLE_EQ(points.front().x, 0);
    EXPECT_DOUBLE_EQ(points.front().halfWidth, 4);
    EXPECT_DOUBLE_EQ(points.back().x, 20);
    EXPECT_NEAR(points.back().halfWidth, 2, 1e-12);
    EXPECT_DOUBLE_EQ(points[5].x, 10);
    EXPECT_DOUBLE_EQ(points[5].halfWidth, 3 + 5); // taper half way plus the full bulge
}
