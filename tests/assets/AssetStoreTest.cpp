#include "AssetStore.h"
#include "ScopedEnv.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> filesIn(const fs::path &directory)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned modeOf(const std::string &path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Collects what goes through the message reporter.
struct Reported {
    std::vector<std::pair<std::string, std::string>> messages;
    Reported() { setMessageReporter([this](const std::string &t, const std::string &c) { messages.emplace_back(t, c); }); }
    ~Reported() { setMessageReporter({}); }
};

class AssetStoreFiles : public ::testing::Test {
protected:
    QTemporaryDir temp;
    const std::string root = temp.path().toStdString();
    const std::string dir = root + '/';
};

const Bytes kSample = readBytes(fs::path(TEST_DATA_DIR) / "sample.txt");  // asset 9001

} // namespace

// Descrambling zeros shows the key entry each byte gets: byte n gets kAssetKey[n % 50].
TEST(AssetStore, byteNumberNUsesKeyEntryNModulo50)
{
    Bytes zeros(102, 0);
    descrambleBytes(zeros);
    // byte number -> kAssetKey entry as an unsigned byte (entry 1 is -53, 2 is 3, 49 is 51, 0 is 114)
    const std::pair<int, int> cases[] = {{1, 203}, {2, 3}, {49, 51}, {50, 114}, {51, 203}, {100, 114}, {102, 3}};
    for (const auto &[byteNumber, expected] : cases)
        EXPECT_EQ(zeros[byteNumber - 1], expected) << "byte " << byteNumber;
}

TEST(AssetStore, onlyMusicExactlyBecomesAWave)
{
    for (const char *base : {"music", "MUSIC", "Music1", "BackGround0", "fish24", ""})
        EXPECT_EQ(descrambledSuffix(base), ".bmp") << base;
    EXPECT_EQ(descrambledSuffix("Music"), ".wav");
}

class DescrambleRoundTrip : public AssetStoreFiles, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(DescrambleRoundTrip, givesBackTheOriginalBytes)
{
    Bytes original(GetParam());
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = std::uint8_t(i * 31 + i / 251);
    Bytes scrambled = original;
    scrambleBytes(scrambled);
    writeBytes(dir + "Asset.ad", scrambled);
    descrambleAsset(dir, "Asset");
    EXPECT_EQ(fs::file_size(dir + "Asset.bmp"), original.size());
    EXPECT_TRUE(readBytes(dir + "Asset.bmp") == original);
}

// 65536 and 65537 straddle the descrambler's block; 1572918 is the background's size.
INSTANTIATE_TEST_SUITE_P(Lengths, DescrambleRoundTrip, ::testing::Values(0, 1, 49, 50, 51, 65536, 65537, 1572918));

TEST_F(AssetStoreFiles, extractWritesTheScrambledCopyAndThePlainFile)
{
    // base name, asset id, file the plain bytes land in, expected bytes
    const std::tuple<const char *, int, const char *, Bytes> cases[] = {
        {"Sample", 9001, "Sample.bmp", kSample}, {"Music", 9001, "Music.wav", kSample}, {"Empty", 9002, "Empty.bmp", {}}};
    for (const auto &[base, id, plainFile, expected] : cases) {
        ASSERT_TRUE(extractAsset(id, dir, base));
        EXPECT_EQ(filesIn(root), (std::vector<std::string>{std::string(base) + ".ad", plainFile})) << base;
        EXPECT_EQ(fs::file_size(dir + base + ".ad"), expected.size());
        EXPECT_TRUE(expected.empty() || readBytes(dir + base + ".ad") != expected);
        EXPECT_EQ(readBytes(dir + plainFile), expected);
        fs::remove(dir + base + ".ad");
        fs::remove(dir + plainFile);
    }
}

// An older, longer file of the same name must not leave its tail in the asset.
TEST_F(AssetStoreFiles, extractReplacesALongerOlderCopyWhole)
{
    writeBytes(dir + "Sample.ad", Bytes(5000, 0x55));
    writeBytes(dir + "Sample.bmp", Bytes(5000, 0x55));
    ASSERT_TRUE(extractAsset(9001, dir, "Sample"));
    EXPECT_EQ(fs::file_size(dir + "Sample.ad"), kSample.size());
    EXPECT_EQ(readBytes(dir + "Sample.bmp"), kSample);
}

TEST_F(AssetStoreFiles, missingIdWritesNothingAndSaysNothing)
{
    Reported reported;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(extractAsset(4242, dir, "Nothing"));
    EXPECT_FALSE(extractAsset(-1, dir, "Nothing"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(filesIn(root).empty());
    EXPECT_TRUE(reported.messages.empty());
}

// A file that cannot be opened is reported on stderr and the program runs on (this test
// going on is the proof); the asset counts as missing and no result file appears.
TEST_F(AssetStoreFiles, unopenableFilesAreReportedAndTheProgramRunsOn)
{
    ::testing::internal::CaptureStderr();
    descrambleAsset(dir, "Absent");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "cannot open infile\n");
    EXPECT_TRUE(filesIn(root).empty());

    fs::create_directory(dir + "Sample.bmp");  // a directory where the picture should go
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(extractAsset(9001, dir, "Sample"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), " cannot open outfile\n");
}

TEST_F(AssetStoreFiles, assetDirectoryIsAPrivateFolderOfTheRuntimeDirectory)
{
    ScopedEnv runtime("XDG_RUNTIME_DIR", root + "/");
    fs::create_directory(root + "/VarlenScr");
    ::chmod((root + "/VarlenScr").c_str(), 0755);
    Reported reported;
    EXPECT_EQ(assetDirectory(), root + "/VarlenScr/");
    EXPECT_EQ(modeOf(root + "/VarlenScr"), 0700u);  // tightened
    EXPECT_TRUE(reported.messages.empty());
}

TEST_F(AssetStoreFiles, assetDirectoryFallsBackToAPrivateTempFolder)
{
    for (const char *folder : {"/tmp", "/run", "/elsewhere", "/open"})
        fs::create_directory(root + folder);
    ::chmod((root + "/elsewhere").c_str(), 0755);
    ::chmod((root + "/open").c_str(), 0777); // a runtime folder anyone can change is no private one
    fs::create_directory_symlink(root + "/elsewhere", root + "/run/VarlenScr");  // planted by someone
    const std::optional<std::string> runtimes[] = {
        std::nullopt, "", "run/user", TEST_DATA_DIR "/sample.txt", root + "/run", root + "/open"};
    for (const auto &runtimeDir : runtimes) {
        ScopedEnv runtime("XDG_RUNTIME_DIR", runtimeDir);
        ScopedEnv tmp("TMPDIR", root + "/tmp");
        const std::string expected = root + "/tmp/VarlenScr-" + std::to_string(::geteuid());
        EXPECT_EQ(assetDirectory(), expected + "/") << runtimeDir.value_or("(unset)");
        EXPECT_EQ(modeOf(expected), 0700u);
    }
    EXPECT_EQ(modeOf(root + "/elsewhere"), 0755u);  // the link's target left alone
}

TEST_F(AssetStoreFiles, assetDirectoryReportsWhenNoPlaceIsUsable)
{
    // Paths below a regular file cannot be made, not even by root.
    ScopedEnv runtime("XDG_RUNTIME_DIR", TEST_DATA_DIR "/sample.txt");
    ScopedEnv tmp("TMPDIR", TEST_DATA_DIR "/sample.txt");
    Reported reported;
    EXPECT_EQ(assetDirectory(), "");
    EXPECT_EQ(reported.messages, (decltype(reported.messages){{"Error Find TempPath.", "ERROR"}}));
}

// Both usual places taken by links someone planted: a fresh private folder of the run is
// used, never the links' targets nor the current directory, and it is gone after exit.
TEST_F(AssetStoreFiles, assetDirectoryMakesAFreshPrivateFolderWhenBothPlacesAreTaken)
{
    for (const char *folder : {"/tmp", "/run", "/elsewhere", "/work"})
        fs::create_directory(root + folder);
    fs::create_directory_symlink(root + "/elsewhere", root + "/run/VarlenScr");
    fs::create_directory_symlink(root + "/elsewhere", root + "/tmp/VarlenScr-" + std::to_string(::geteuid()));
    writeBytes(root + "/work/Music.wav", {1, 2, 3});
    // The program ends through the exit handlers, or at once with _exit (Esc, Exit, a
    // signal) after removing its empty folders.
    for (const bool exitHandlers : {true, false}) {
        SCOPED_TRACE(exitHandlers ? "exit" : "_exit");
        int made[2];
        ASSERT_EQ(::pipe(made), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("XDG_RUNTIME_DIR", (root + "/run").c_str(), 1);
            ::setenv("TMPDIR", (root + "/tmp").c_str(), 1);
            if (::chdir((root + "/work").c_str()) != 0)
                ::_exit(2);
            const std::string directory = assetDirectory();
            const bool extracted = extractAsset(9001, directory, "Music");
            deleteAssetFile(directory + "Music.ad");
            deleteAssetFile(directory + "Music.wav");
            const std::string report = directory + (extracted ? "" : " not extracted");
            (void)!::write(made[1], report.data(), report.size());
            if (exitHandlers)
                std::exit(0);
            removeEmptyRunFolders();
            ::_exit(0);
        }
        ::close(made[1]);
        std::string directory(4096, '\0');
        directory.resize(std::max<ssize_t>(0, ::read(made[0], directory.data(), directory.size())));
        ::close(made[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(directory.rfind(root + "/tmp/VarlenScr-", 0), 0u) << directory;
        EXPECT_TRUE(directory.ends_with('/')) << directory;
        EXPECT_FALSE(fs::exists(directory)) << "removed at exit";
        EXPECT_TRUE(filesIn(root + "/elsewhere").empty());
        EXPECT_EQ(filesIn(root + "/work"), std::vector<std::string>{"Music.wav"});
        EXPECT_EQ(readBytes(root + "/work/Music.wav"), (Bytes{1, 2, 3}));
    }
}

// With no usable place at all nothing is written or deleted in the current directory.
TEST_F(AssetStoreFiles, noAssetFileTouchesTheCurrentDirectory)
{
    writeBytes(dir + "Music.wav", {1, 2, 3});
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    Reported reported;
    ScopedEnv runtime("XDG_RUNTIME_DIR", TEST_DATA_DIR "/sample.txt");
    ScopedEnv tmp("TMPDIR", TEST_DATA_DIR "/sample.txt");
    const std::string directory = assetDirectory();
    const bool extracted = extractAsset(9001, directory, "Music");
    deleteAssetFile(directory + "Music.ad");
    deleteAssetFile(directory + "Music.wav");
    fs::current_path(previous);
    EXPECT_EQ(directory, "");
    EXPECT_FALSE(extracted);
    EXPECT_EQ(filesIn(root), std::vector<std::string>{"Music.wav"});
    EXPECT_EQ(readBytes(dir + "Music.wav"), (Bytes{1, 2, 3}));
}
