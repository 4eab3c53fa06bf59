#include "ProfileFile.h"
#include "ScopedEnv.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The application profile lives under the config home too: keep this process away from
// the real one before anything asks QSettings where it is.
QTemporaryDir g_profileHome;
const bool g_profileHomeSet = ::setenv("XDG_CONFIG_HOME", g_profileHome.path().toLocal8Bit().constData(), 1) == 0;

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test gets its own config home, so the settings file starts out missing.
class ProfileFileOnDisk : public ::testing::Test {
protected:
    QTemporaryDir temp;
    ScopedEnv config{"XDG_CONFIG_HOME", temp.path().toStdString()};
    const std::string iniPath = temp.path().toStdString() + "/VarlenScr/VarlenSet.ini";

    // Saves a 100 000-character value in a child process whose files may not grow past
    // 4 KiB; returns the child's wait status. With the signal ignored the write fails the
    // way it does on a full disk; otherwise SIGXFSZ kills the writer mid-save.
    int saveUnderSizeLimit(bool ignoreSignal)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            if (ignoreSignal)
                ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ProfileFile file(iniPath);
            file.setValue("Custom Images", "ImageList0", std::string(100000, 'x'));
            ::_exit(file.save() ? 1 : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    }
};

} // namespace

class ProfileAtoi : public ::testing::TestWithParam<std::pair<const char *, int>> {};

TEST_P(ProfileAtoi, followsTheCLibraryWithLimits)
{
    EXPECT_EQ(profileAtoi(GetParam().first), GetParam().second) << '"' << GetParam().first << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileAtoi, ::testing::Values(
    std::pair{"32767.5", 32767}, std::pair{"abc", 0}, std::pair{"", 0}, std::pair{"  \t42", 42},
    std::pair{"-1", -1}, std::pair{"+7", 7}, std::pair{"12abc", 12}, std::pair{"1e3", 1}, std::pair{"- 5", 0},
    std::pair{"0x10", 0}, std::pair{"2147483647", INT_MAX}, std::pair{"2147483648", INT_MAX},
    std::pair{"-2147483648", INT_MIN}, std::pair{"-99999999999999999999", INT_MIN}));

// Numbers are read from a 128-character buffer: the 128th character is never seen.
TEST(ProfileFile, numbersAreReadFromTheFirst127Characters)
{
    auto file = ProfileFile::fromText("[S]\nA=" + std::string(126, '0') + "7\nB=" + std::string(127, '0') + "7\n");
    EXPECT_EQ(file.intValue("S", "A"), 7);
    EXPECT_EQ(file.intValue("S", "B"), 0);
    EXPECT_EQ(file.value("S", "B").size(), 128u);  // text comes back whole
}

TEST(ProfileFile, missingAndEmptyAreTheSameAndCaseDoesNotMatter)
{
    auto file = ProfileFile::fromText("[aquarium SETTINGS]\nshow water=1\nEmpty=\nBlank=   \n");
    EXPECT_EQ(file.value("Aquarium Settings", "Show Water"), "1");
    EXPECT_EQ(file.value("AQUARIUM SETTINGS", "SHOW WATER"), "1");
    for (const char *key : {"Empty", "Blank", "Missing"})
        EXPECT_EQ(file.value("Aquarium Settings", key), "") << key;
    EXPECT_EQ(file.value("Nowhere", "Show Water"), "");
}

TEST(ProfileFile, theFirstOfDuplicateKeysCountsAndAWriteLeavesOne)
{
    auto file = ProfileFile::fromText("[S]\nK=first\nK=second\n");
    EXPECT_EQ(file.value("S", "K"), "first");
    ASSERT_TRUE(file.setValue("S", "K", "new"));
    EXPECT_EQ(file.text(), "[S]\nK=new\n");
}

TEST(ProfileFile, aLongPathComesBackWhole)
{
    const std::string path = "/home/someone/" + std::string(300, 'p') + "/music.mp3";
    auto file = ProfileFile::fromText("");
    ASSERT_TRUE(file.setValue("Custom Settings", "MusicList0", path));
    EXPECT_EQ(ProfileFile::fromText(file.text()).value("Custom Settings", "MusicList0"), path);
}

TEST(ProfileFile, garbageLoadsWithoutHarm)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37) & 0xFF);
    const std::string inputs[] = {binary, std::string(1 << 20, 'x'), "[" + std::string(100000, 'S'),
                                  "=====\n[[[]]]\n]\n[\n=\n;\n#\n", "[S]\nK=<<<END\nA\nB\n",
                                  std::string("[S]\nK=1\0\nL=2\n", 13), "\xEF\xBB\xBF[S]\nK=1\n"};
    for (const std::string &input : inputs) {
        auto file = ProfileFile::fromText(input);
        ASSERT_TRUE(file.setValue("S", "K", "2"));
        EXPECT_EQ(ProfileFile::fromText(file.text()).value("S", "K"), "2");
    }
}

TEST(ProfileFile, aByteOrderMarkAfterBlankLinesStaysPartOfTheText)
{
    // Found by fuzzing: the blank lines are not written back, and the mark must not turn
    // into a signature that the next read drops, taking the line's meaning with it.
    auto file = ProfileFile::fromText("\n\n\xEF\xBB\xBF[\n[S]\nK=1\n");
    ASSERT_TRUE(file.setValue("S", "L", "2"));
    const auto again = ProfileFile::fromText(file.text());
    for (const char *key : {"K", "L"})
        EXPECT_EQ(again.value("S", key), file.value("S", key)) << key;
    EXPECT_EQ(ProfileFile::fromText(again.text()).text(), again.text());
}

TEST(ProfileFile, writingKeepsEverythingElseInTheFile)
{
    auto file = ProfileFile::fromText("; VarlenScr settings\n\n[Custom Images]\n; my pictures\nImageSum=1\n"
                                      "Unknown Key=keep me\n\n[Aquarium Settings]\nshow water=1\nQIPAONUM=50\n\n"
                                      "[Other]\na=b\n; the end\n");
    ASSERT_TRUE(file.setValue("Aquarium Settings", "Show Water", "0"));
    ASSERT_TRUE(file.setValue("Aquarium Settings", "FOGNONGDU", "25"));
    ASSERT_TRUE(file.setValue("Fish Number", "Fish0", "1"));
    EXPECT_EQ(file.text(), "; VarlenScr settings\n\n[Custom Images]\n; my pictures\nImageSum=1\n"
                           "Unknown Key=keep me\n\n[Aquarium Settings]\nShow Water=0\nQIPAONUM=50\nFOGNONGDU=25\n\n"
                           "[Other]\na=b\n\n[Fish Number]\nFish0=1\n; the end\n");
}

TEST(ProfileFile, refusesTextThatCannotLiveOnOneLine)
{
    auto file = ProfileFile::fromText("[S]\nK=1\n");
    for (const std::string &value : {std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)})
        EXPECT_FALSE(file.setValue("S", "K", value));
    EXPECT_FALSE(file.setValue("S", "K=", "1"));
    EXPECT_FALSE(file.setValue("S", ";K", "1"));
    EXPECT_FALSE(file.setValue("S]", "K", "1"));
    EXPECT_FALSE(file.isModified());
}

TEST_F(ProfileFileOnDisk, pathFollowsTheConfigHome)
{
    EXPECT_EQ(settingsFilePath(), iniPath);
    ScopedEnv home("HOME", "/home/someone");
    for (const auto &config : {std::optional<std::string>(), std::optional<std::string>("relative/dir")}) {
        ScopedEnv unset("XDG_CONFIG_HOME", config);
        EXPECT_EQ(settingsFilePath(), "/home/someone/.config/VarlenScr/VarlenSet.ini");
    }
}

TEST_F(ProfileFileOnDisk, firstWriteCreatesTheDirectoryAndFile)
{
    EXPECT_EQ(readProfileString("S", "K"), "");
    EXPECT_FALSE(fs::exists(temp.path().toStdString() + "/VarlenScr"));  // reading made nothing
    EXPECT_TRUE(writeProfileString("Custom Images", "ImageTime", "05"));
    EXPECT_EQ(readText(iniPath), "[Custom Images]\nImageTime=05\n");
    EXPECT_EQ(readProfileString("custom images", "imagetime"), "05");
    EXPECT_TRUE(writeProfileInt("Custom Images", "ImageSum", -3));
    EXPECT_EQ(readProfileInt("Custom Images", "ImageSum"), -3);
}

TEST_F(ProfileFileOnDisk, aFileThatCannotBeReadIsNeverReplaced)
{
    fs::create_directories(iniPath);  // a directory where the file should be
    ProfileFile file(iniPath);
    EXPECT_FALSE(file.isReadable());
    ASSERT_TRUE(file.setValue("S", "K", "1"));
    EXPECT_FALSE(file.save());
    EXPECT_TRUE(fs::is_directory(iniPath));
}

TEST_F(ProfileFileOnDisk, aWriterKilledMidSaveLeavesThePreviousFile)
{
    ASSERT_TRUE(writeProfileString("Aquarium Settings", "QIPAONUM", "50"));
    const std::string previous = readText(iniPath);
    const int status = saveUnderSizeLimit(false);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readText(iniPath), previous);
}

TEST_F(ProfileFileOnDisk, aFailedWriteSaysSoAndLeavesThePreviousFileAlone)
{
    ASSERT_TRUE(writeProfileString("Aquarium Settings", "QIPAONUM", "50"));
    const std::string previous = readText(iniPath);
    const int status = saveUnderSizeLimit(true);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "save() claimed success";
    EXPECT_EQ(readText(iniPath), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(iniPath).parent_path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileOnDisk, volumeComesFromTheApplicationProfile)
{
    QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("VarlenScr"));
    const std::pair<QVariant, int> cases[] = {{QVariant(), 1000}, {500, 500}, {QStringLiteral("0"), 0}, {QStringLiteral("loud"), 1000}};
    for (const auto &[stored, expected] : cases) {
        if (stored.isValid())
            profile.setValue("Settings/Volume", stored);
        else
            profile.remove("Settings/Volume");
        profile.sync();
        EXPECT_EQ(profileVolume(), expected) << stored.toString().toStdString();
    }
}
