#include "CustomSections.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// One section of the settings file, case as written.
struct FakeSection {
    std::map<std::string, std::string> keys;

    SectionReader reader()
    {
        return [this](const std::string &key) {
            auto it = keys.find(key);
            return it == keys.end() ? std::string() : it->second;
        };
    }
};

} // namespace

// ---- stored numbers ----------------------------------------------------------------

struct FlagCase {
    const char *text;
    bool on;
};

void PrintTo(const FlagCase &c, std::ostream *out) { *out << '"' << c.text << '"'; }

class ProfileFlagCases : public ::testing::TestWithParam<FlagCase> {};

TEST_P(ProfileFlagCases, onlyOneMeansOn)
{
    EXPECT_EQ(profileFlag(GetParam().text), GetParam().on) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(ProfileFlag, ProfileFlagCases,
    ::testing::Values(FlagCase{"1", true}, FlagCase{"01", true}, FlagCase{"1x", true},
                      FlagCase{"0", false}, FlagCase{"2", false}, FlagCase{"-1", false},
                      FlagCase{"", false}, FlagCase{"yes", false}),
    [](const auto &info) { return "case" + std::to_string(info.index); });

// ---- play-mode boxes after loading ---------------------------------------------------------

struct LoadedModeCase {
    bool random, repeatAll, repeatOne;
    PlayMode mode;
};

void PrintTo(const LoadedModeCase &c, std::ostream *out)
{
    *out << "random " << c.random << ", repeat all " << c.repeatAll << ", repeat one " << c.repeatOne;
}

class LoadedModeCases : public ::testing::TestWithParam<LoadedModeCase> {};

TEST_P(LoadedModeCases, randomBeatsRepeatAllBeatsRepeatOne)
{
    const LoadedModeCase &c = GetParam();
    ModeBoxes boxes{c.random, c.repeatAll, c.repeatOne};
    EXPECT_EQ(applyLoadedModes(boxes), c.mode);
    EXPECT_EQ(boxes.random, c.mode == PlayMode::Random);
    EXPECT_EQ(boxes.repeatAll, c.mode == PlayMode::RepeatAll);
    EXPECT_EQ(boxes.repeatOne, c.mode == PlayMode::RepeatOne);
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, LoadedModeCases,
    ::testing::Values(LoadedModeCase{false, false, false, PlayMode::RepeatOne},
                      LoadedModeCase{false, false, true, PlayMode::RepeatOne},
                      LoadedModeCase{false, true, false, PlayMode::RepeatAll},
                      LoadedModeCase{false, true, true, PlayMode::RepeatAll},
                      LoadedModeCase{true, false, false, PlayMode::Random},
                      LoadedModeCase{true, false, true, PlayMode::Random},
                      LoadedModeCase{true, true, false, PlayMode::Random},
                      LoadedModeCase{true, true, true, PlayMode::Random}),
    [](const auto &info) {
        const auto &c = info.param;
        return std::string(c.random ? "R" : "r") + (c.repeatAll ? "A" : "a") + (c.repeatOne ? "O" : "o");
    });

// ---- "Custom Images" -------------------------------------------------------------------

TEST(CustomImages, missingSectionGivesDefaults)
{
    FakeSection s;
    CustomImagesRecord r = readCustomImages(s.reader(), 11);
    EXPECT_TRUE(r.paths.empty());
    EXPECT_FALSE(r.ownImage);
    EXPECT_EQ(r.imageTime, "5");
    EXPECT_EQ(applyLoadedModes(r.modes), PlayMode::RepeatOne);
}

TEST(CustomImages, handEditedHugeSumIsCut)
{
    FakeSection s;
    s.keys["ImageSum"] = "2000000000";
    EXPECT_EQ(readCustomImages(s.reader(), 11).paths.size(), 11u);
    s.keys["ImageSum"] = "-4";
    EXPECT_TRUE(readCustomImages(s.reader(), 11).paths.empty());
}

// ---- "Custom Settings" -------------------------------------------------------------------

TEST(CustomMusic, handEditedHugeSumIsCut)
{
    FakeSection s;
    s.keys["MusicSum"] = "99999999999";
    CustomMusicRecord r = readCustomMusic(s.reader());
    EXPECT_EQ(r.paths.size(), size_t(kMaxStoredMusicRows));
    s.keys["MusicSum"] = "-2";
    EXPECT_TRUE(readCustomMusic(s.reader()).paths.empty());
}
