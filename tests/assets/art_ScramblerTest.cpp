#include "Scrambler.h"

#include "art_StoredAsset.h"

#include <gtest/gtest.h>

using assetgen::scrambleAsset;

// The key's first entries are 114, -53, 3 and its last two 71, 51.
TEST(Scrambler, lowersByteNByKeyEntryNMod50)
{
    const std::vector<uint8_t> zeros(51, 0);
    const std::vector<uint8_t> out = scrambleAsset(zeros);
    ASSERT_EQ(out.size(), 51u);
    EXPECT_EQ(out[0], 53);        // byte 1: 0 - (-53)
    EXPECT_EQ(out[1], 253);       // byte 2: 0 - 3
    EXPECT_EQ(out[48], 205);      // byte 49: 0 - 51
    EXPECT_EQ(out[49], 142);      // byte 50: 0 - 114, key entry 0
    EXPECT_EQ(out[50], 53);       // byte 51: key entry 1 again
}

TEST(Scrambler, wrapsAroundModulo256)
{
    const std::vector<uint8_t> in = {250, 250};
    const std::vector<uint8_t> out = scrambleAsset(in);
    EXPECT_EQ(out[0], 47);  // 250 + 53 = 303 -> 47
    EXPECT_EQ(out[1], 247); // 250 - 3
}

class ScramblerRoundTrip : public testing::TestWithParam<size_t> {};

TEST_P(ScramblerRoundTrip, keyAddedBackRestoresEveryByte)
{
    std::vector<uint8_t> plain(GetParam());
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 7 + i / 300);
    const std::vector<uint8_t> scrambled = scrambleAsset(plain);
    EXPECT_EQ(scrambled.size(), plain.size());
    EXPECT_EQ(arttest::addKey(scrambled), plain);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ScramblerRoundTrip, testing::Values(0u, 1u, 49u, 50u, 51u, 1572918u));
