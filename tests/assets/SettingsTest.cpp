#include "ProfileFile.h"
#include "Random.h"
#include "ScopedEnv.h"
#include "Settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string &path, const std::string &text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A fresh config home and record for each test, and random draws the test can predict:
// 1, 2, 3, ... so species i missing on a first start gets (i + 1) % 2.
class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    ScopedEnv config{"XDG_CONFIG_HOME", temp.path().toStdString()};
    int draws = 0;

    SettingsTest()
    {
        settings = AquariumSettings{};
        varlen::setRandomSource([this] { return ++draws; });
    }
    ~SettingsTest() override { varlen::setRandomSource({}); }

    std::string iniPath() const { return temp.path().toStdString() + "/VarlenScr/VarlenSet.ini"; }
    ProfileFile onDisk() const { return ProfileFile(iniPath()); }
};

} // namespace

TEST_F(SettingsTest, firstStartWritesTheWholeFile)
{
    loadSettings();
    EXPECT_EQ(readText(iniPath()),
              "[Aquarium Settings]\nShow Water=0\nShow Light=0\nShow Terra=1\nFRONT GUDING=1\n"
              "FRONTCOLOR=16777215\nFRONT MANJIANBIAN=0\nFRONT COLOR1=16777215\nFRONT COLOR2=16777215\n"
              "FRONT AUTOJIANBIAN=0\nCHECK LOCKFORE=0\nLOCKFORE ROT=0\nBACK GUDING=1\nBACKCOLOR=0\n"
              "BACK MANJIANBIAN=0\nBACK COLOR1=65280\nBACK COLOR2=0\nBACK AUTOJIANBIAN=0\nCHECK LOCKBACK=0\n"
              "LOCKBACK ROT=0\nYINLIANG=32767.5\nQIPAONUM=100\nBACKGROUND=0\nFOGNONGDU=25\nLIGHTQIANGDU=0\n"
              "CHECK VIEWS=1\nVIEWSLEFTRIGHT=0\nVIEWSNEARFAR=0\n\n"
              "[Fish Number]\nFish0=1\nFish1=0\nFish2=1\nFish3=0\nFish4=1\nFish5=0\nFish6=1\nFish7=0\nFish8=1\n"
              "Fish9=0\nFish10=1\nFish11=0\nFish12=1\nFish13=0\nFish14=1\nFish15=0\nFish16=1\nFish17=0\n"
              "Fish18=1\nFish19=0\nFish20=1\nFish21=0\nFish22=1\nFish23=0\nFish24=1\n");
    EXPECT_EQ(draws, 25);
    EXPECT_EQ(settings.yinLiang, 32767);
    EXPECT_EQ(settings.speciesCounts[0], 1);
    EXPECT_EQ(settings.speciesCounts[1], 0);
}

// One stored value, what the record gets, and what the file says afterwards.
struct StoredCase {
    const char *key;
    const char *stored;  // nullptr: the key is missing
    int (*field)(const AquariumSettings &);
    int inMemory;
    const char *inFile;
};

#define FIELD(name) [](const AquariumSettings &s) { return static_cast<int>(s.name); }

class SettingsStoredValue : public SettingsTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(SettingsStoredValue, loadsAndCompletesTheFile)
{
    const StoredCase &c = GetParam();
    std::string text = "[Aquarium Settings]\n";
    if (c.stored != nullptr)
        text += std::string(c.key) + "=" + c.stored + "\n";
    writeText(iniPath(), text);

    loadSettings();

    const std::string stored = c.stored ? c.stored : "(missing)";
    EXPECT_EQ(c.field(settings), c.inMemory) << c.key << "=" << stored;
    EXPECT_EQ(onDisk().value("Aquarium Settings", c.key), c.inFile) << c.key << "=" << stored;
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsStoredValue, ::testing::Values(
    StoredCase{"Show Water", "1", FIELD(showWater), 0, "0"},
    StoredCase{"Show Terra", "0", FIELD(showTerra), 1, "1"},
    StoredCase{"BACKCOLOR", "255", FIELD(backColor), 0, "0"},
    StoredCase{"BACK AUTOJIANBIAN", "1", FIELD(backAutoJianBian), 0, "0"},
    StoredCase{"FOGNONGDU", "26", FIELD(fogNongDu), 25, "25"},
    StoredCase{"FOGNONGDU", "-1", FIELD(fogNongDu), 25, "25"},
    StoredCase{"LIGHTQIANGDU", "-1", FIELD(lightQiangDu), 0, "0"},
    StoredCase{"LIGHTQIANGDU", "101", FIELD(lightQiangDu), 0, "0"},
    StoredCase{"LIGHTQIANGDU", "100", FIELD(lightQiangDu), 100, "100"},
    StoredCase{"LIGHTQIANGDU", "40abc", FIELD(lightQiangDu), 40, "40abc"},
    StoredCase{"YINLIANG", nullptr, FIELD(yinLiang), 32767, "32767.5"},
    StoredCase{"YINLIANG", "", FIELD(yinLiang), 32767, "32767.5"},
    StoredCase{"YINLIANG", "70000", FIELD(yinLiang), 70000, "70000"},  // no range check
    StoredCase{"QIPAONUM", "-5", FIELD(qiPaoNum), -5, "-5"},           // no range check
    StoredCase{"QIPAONUM", "abc", FIELD(qiPaoNum), 0, "abc"},
    StoredCase{"BACKGROUND", "3", FIELD(background), 3, "3"},
    StoredCase{"LOCKFORE ROT", "45.75", FIELD(lockForeRot), 45, "45.75"},  // a float of the whole number
    StoredCase{"LOCKBACK ROT", "-3", FIELD(lockBackRot), -3, "-3"}));

TEST_F(SettingsTest, theNextStartReadsTheWrittenVolume)
{
    loadSettings();
    settings = AquariumSettings{};
    settings.yinLiang = 1;
    loadSettings();
    EXPECT_EQ(settings.yinLiang, 32767);
    EXPECT_EQ(onDisk().value("Aquarium Settings", "YINLIANG"), "32767.5");
}

TEST_F(SettingsTest, aCountAbove25Is25InMemoryOnly)
{
    writeText(iniPath(), "[Fish Number]\nFish3=40\nFish4=25\nFish5=-2\nFish6=abc\n");
    loadSettings();
    EXPECT_EQ(settings.speciesCounts[3], 25);
    EXPECT_EQ(settings.speciesCounts[4], 25);
    EXPECT_EQ(settings.speciesCounts[5], -2);
    EXPECT_EQ(settings.speciesCounts[6], 0);
    ProfileFile file = onDisk();
    EXPECT_EQ(file.value("Fish Number", "Fish3"), "40");
    EXPECT_EQ(file.value("Fish Number", "Fish6"), "abc");
}

// Only missing counts draw, in species order.
TEST_F(SettingsTest, missingCountsDrawInSpeciesOrder)
{
    std::string text = "[Fish Number]\n";
    for (int i = 0; i < 25; ++i)
        if (i != 2 && i != 7)
            text += "Fish" + std::to_string(i) + "=0\n";
    writeText(iniPath(), text);
    std::vector<int> script = {7, 4};  // 7 % 2 = 1, 4 % 2 = 0
    varlen::setRandomSource([&] { int v = script.front(); script.erase(script.begin()); return v; });
    loadSettings();
    EXPECT_EQ(settings.speciesCounts[2], 1);
    EXPECT_EQ(settings.speciesCounts[7], 0);
    EXPECT_TRUE(script.empty());
    ProfileFile file = onDisk();
    EXPECT_EQ(file.value("Fish Number", "Fish2"), "1");
    EXPECT_EQ(file.value("Fish Number", "Fish7"), "0");
}

TEST_F(SettingsTest, aCompleteFileIsNotRewritten)
{
    loadSettings();
    struct stat before {};
    ASSERT_EQ(::stat(iniPath().c_str(), &before), 0);
    loadSettings();
    struct stat after {};
    ASSERT_EQ(::stat(iniPath().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);  // a save would have renamed a new file in
}

TEST_F(SettingsTest, otherSectionsSurviveALoadAndASave)
{
    writeText(iniPath(),
              "; my settings\n\n"
              "[Custom Images]\nImageSum=1\nImageList0=/pictures/reef.jpg\nMyOwnKey=x\n\n"
              "[Aquarium Settings]\nqipaonum=50\n");
    loadSettings();
    int counts[25] = {};
    counts[0] = 3;
    saveFishCounts(counts);
    const std::string text = readText(iniPath());
    EXPECT_EQ(text.rfind("; my settings\n\n[Custom Images]\nImageSum=1\nImageList0=/pictures/reef.jpg\nMyOwnKey=x\n\n"
                         "[Aquarium Settings]\nqipaonum=50\nShow Water=0\n", 0), 0u) << text;
    EXPECT_EQ(settings.qiPaoNum, 50);
}

// A config home below a regular file, and a directory where the file should be: the
// record gets the defaults, nothing crashes, and the directory is left alone.
TEST_F(SettingsTest, anUnusableFileOrDirectoryRunsOnTheDefaults)
{
    fs::create_directories(iniPath());
    for (const std::string &home : {std::string(TEST_DATA_DIR "/sample.txt"), temp.path().toStdString()}) {
        ScopedEnv config("XDG_CONFIG_HOME", home);
        settings.qiPaoNum = 7;
        loadSettings();
        EXPECT_EQ(settings.qiPaoNum, 100) << home;
        EXPECT_EQ(settings.showTerra, 1) << home;
    }
    EXPECT_TRUE(fs::is_directory(iniPath()));
}

TEST_F(SettingsTest, garbageFilesLoadLikeMissingKeys)
{
    std::string binary;
    for (int i = 0; i < 8192; ++i)
        binary += static_cast<char>((i * 91 + 17) & 0xFF);
    // Text the parser keeps whole is completed; anything else is left as it is.
    const std::pair<std::string, bool> inputs[] = {
        {binary, false}, {std::string(1 << 20, '['), false},
        {std::string(300000, 'x') + "\n[Aquarium Settings]\n", true}};
    for (const auto &[input, completed] : inputs) {
        writeText(iniPath(), input);
        settings = AquariumSettings{};
        settings.qiPaoNum = 7;
        loadSettings();
        EXPECT_EQ(settings.qiPaoNum, 100);
        if (completed)
            EXPECT_EQ(onDisk().value("Aquarium Settings", "QIPAONUM"), "100");
        else
            EXPECT_EQ(readText(iniPath()), input);
    }
}

// A file the parser cannot read whole is never rewritten: the run uses the defaults in
// memory, and a start, a fish-count save and the dialogs' save at exit leave every byte.
TEST_F(SettingsTest, aFileThatCannotBeReadWholeIsLeftByteForByte)
{
    using namespace std::string_literals;
    const std::string utf16 = "\xFF\xFE[\0A\0]\0\n\0K\0=\0" "1\0\n\0"s;
    const std::string inputs[] = {
        "[Aquarium Settings]\nQIPAONUM=50\n\0[Fish Number]\nFish0=3\n"s,
        "[Aquarium Settings]\nQIPAONUM=50\n[Fish Number\nFish0=3\n",
        "[Aquarium Settings]\nQIPAONUM=50\n=5\n",
        "[Aquarium Settings] note\nQIPAONUM=50\n",
        utf16,
    };
    for (const std::string &input : inputs) {
        writeText(iniPath(), input);
        settings = AquariumSettings{};
        settings.qiPaoNum = 7;
        loadSettings();
        EXPECT_EQ(settings.qiPaoNum, 100);
        int counts[25] = {2};
        saveFishCounts(counts);
        EXPECT_EQ(settings.speciesCounts[0], 2);
        writeProfileString("Custom Settings", "OwnMusic", "0");
        EXPECT_EQ(readText(iniPath()), input);
    }
}

// ---- The fish dialog's reads and writes ---------------------------------------------

TEST_F(SettingsTest, readFishCountsTakesMissingAsZeroAndWritesNothing)
{
    const std::string text = "[Fish Number]\nFish0=3\nFish1=abc\nFish2=40\nFish3=-1\n";
    writeText(iniPath(), text);
    int counts[25];
    std::fill(std::begin(counts), std::end(counts), 99);
    readFishCounts(counts);
    EXPECT_EQ(std::vector<int>(counts, counts + 6), (std::vector<int>{3, 0, 40, -1, 0, 0}));
    EXPECT_EQ(counts[24], 0);
    EXPECT_EQ(readText(iniPath()), text);
    EXPECT_EQ(draws, 0);
}

TEST_F(SettingsTest, saveFishCountsWritesAllAndClampsTheRecord)
{
    int counts[25] = {2, 0, 0, 0, 0, 30};
    counts[24] = 1;
    saveFishCounts(counts);
    EXPECT_EQ(std::vector<int>(settings.speciesCounts, settings.speciesCounts + 6), (std::vector<int>{2, 0, 0, 0, 0, 25}));
    EXPECT_EQ(settings.speciesCounts[24], 1);
    int back[25];
    readFishCounts(back);
    EXPECT_EQ(std::vector<int>(back, back + 25), std::vector<int>(counts, counts + 25));
    EXPECT_EQ(onDisk().value("Fish Number", "Fish1"), "0");  // zeros are written too
}
