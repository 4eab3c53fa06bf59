// Each stored skin shows its species: at points a reader can find on the contact sheet
// the colour is the one the species is known for. Catches reordered species and
// painters that lost their pattern. Points are pixels of the 128 x 128 skin counted
// from the top-left (nose left, back up).

#include "art_StoredAsset.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace arttest;

namespace {

enum class Hue { White, Silver, Black, Dark, Orange, Yellow, Red, Blue, Cyan, Violet, Grey };

const char* hueName(Hue h)
{
    switch (h) {
    case Hue::White: return "white";
    case Hue::Silver: return "silver";
    case Hue::Black: return "black";
    case Hue::Dark: return "dark";
    case Hue::Orange: return "orange";
    case Hue::Yellow: return "yellow";
    case Hue::Red: return "red";
    case Hue::Blue: return "blue";
    case Hue::Cyan: return "cyan";
    case Hue::Violet: return "violet";
    case Hue::Grey: return "grey";
    }
    return "?";
}

bool looksLike(Hue h, int r, int g, int b)
{
    const int hi = std::max(r, std::max(g, b));
    const int lo = std::min(r, std::min(g, b));
    switch (h) {
    case Hue::White: return lo > 185;
    case Hue::Silver: return lo > 170 && hi - lo < 40;
    case Hue::Black: return hi < 60;
    case Hue::Dark: return hi < 110;
    case Hue::Orange: return r > 190 && g > 80 && g < 180 && b < 90;
    case Hue::Yellow: return r > 190 && g > 165 && b < 110;
    case Hue::Red: return r > 100 && r > 2.5 * g && r > 2 * b;
    case Hue::Blue: return b > r + 60 && b > g + 20;
    case Hue::Cyan: return g > 140 && b > 140 && r < 120;
    case Hue::Violet: return r > 100 && b > 150 && g < 110;
    case Hue::Grey: return hi - lo < 40 && lo > 90;
    }
    return false;
}

} // namespace

struct Signature {
    int species;
    int x, y;
    Hue hue;
    const char* what;
};

void PrintTo(const Signature& s, std::ostream* os)
{
    *os << "fish" << s.species << " (" << s.x << "," << s.y << ") " << hueName(s.hue) << ": " << s.what;
}

class SkinSignature : public testing::TestWithParam<Signature> {};

TEST_P(SkinSignature, showsTheSpeciesColour)
{
    const Signature s = GetParam();
    const std::vector<uint8_t> bmp = storedAsset(10000 + s.species);
    ASSERT_EQ(bmp.size(), 54u + 128 * 128 * 3);
    const size_t at = 54 + (127 - s.y) * 128 * 3 + s.x * 3; // rows are stored bottom-up
    const int b = bmp[at], g = bmp[at + 1], r = bmp[at + 2];
    EXPECT_TRUE(looksLike(s.hue, r, g, b)) << s.what << ": got " << r << "," << g << "," << b;
}

INSTANTIATE_TEST_SUITE_P(
    Species, SkinSignature,
    testing::Values(
        Signature{0, 64, 64, Hue::White, "clownfish middle band"},
        Signature{0, 90, 64, Hue::Orange, "clownfish body"},
        Signature{1, 64, 90, Hue::Blue, "blue tang belly"},
        Signature{1, 122, 64, Hue::Yellow, "blue tang tail"},
        Signature{2, 64, 64, Hue::Yellow, "yellow tang body"},
        Signature{3, 64, 48, Hue::Cyan, "neon tetra stripe"},
        Signature{3, 64, 90, Hue::Red, "neon tetra rear underside"},
        Signature{4, 64, 64, Hue::Orange, "goldfish body"},
        Signature{5, 40, 64, Hue::Blue, "zebra danio stripe"},
        Signature{6, 64, 64, Hue::Red, "koi back patch"},
        Signature{6, 90, 64, Hue::White, "koi white body"},
        Signature{7, 90, 64, Hue::Red, "betta crimson"},
        Signature{8, 40, 64, Hue::Grey, "guppy olive-grey body"},
        Signature{8, 90, 64, Hue::Orange, "guppy tail"},
        Signature{9, 20, 100, Hue::Blue, "rainbowfish blue front"},
        Signature{9, 122, 64, Hue::Red, "rainbowfish red rear"},
        Signature{10, 64, 64, Hue::Silver, "angelfish silver body"},
        Signature{10, 20, 100, Hue::Black, "angelfish bar through the eye"},
        Signature{11, 40, 64, Hue::Cyan, "discus turquoise line"},
        Signature{12, 40, 64, Hue::Black, "moorish idol front band"},
        Signature{12, 64, 90, Hue::White, "moorish idol white"},
        Signature{13, 64, 64, Hue::Orange, "copperband orange band"},
        Signature{13, 122, 64, Hue::Silver, "copperband pale tail"},
        Signature{14, 64, 64, Hue::Blue, "emperor angelfish blue body"},
        Signature{14, 122, 64, Hue::Yellow, "emperor angelfish tail"},
        Signature{15, 40, 64, Hue::Orange, "mandarin orange swirl"},
        Signature{15, 64, 8, Hue::Blue, "mandarin blue"},
        Signature{16, 40, 64, Hue::Red, "lionfish red-brown stripe"},
        Signature{16, 90, 64, Hue::White, "lionfish white stripe"},
        Signature{17, 64, 64, Hue::Yellow, "tiger barb gold"},
        Signature{17, 49, 64, Hue::Black, "tiger barb second band"},
        Signature{18, 64, 90, Hue::Red, "cherry barb"},
        Signature{19, 64, 90, Hue::White, "pufferfish belly"},
        Signature{20, 64, 64, Hue::Black, "harlequin wedge"},
        Signature{21, 20, 100, Hue::Violet, "royal gramma front"},
        Signature{21, 90, 64, Hue::Yellow, "royal gramma rear"},
        Signature{22, 64, 64, Hue::Black, "clown loach middle band"},
        Signature{22, 40, 64, Hue::Orange, "clown loach body"},
        Signature{22, 122, 64, Hue::Red, "clown loach red fin"},
        Signature{23, 64, 90, Hue::Dark, "oscar dark olive"},
        Signature{23, 64, 64, Hue::Orange, "oscar orange marbling"},
        Signature{24, 64, 64, Hue::Blue, "blue damselfish body"}),
    [](const auto& info) {
        return "fish" + std::to_string(info.param.species) + "_at_" + std::to_string(info.param.x) + "_"
            + std::to_string(info.param.y);
    });
