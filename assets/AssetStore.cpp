#include "AssetStore.h"

#include "AssetKey.h"
#include "RunGuards.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

MessageReporter &currentReporter()
{
    static MessageReporter reporter;
    return reporter;
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// True when `path` is (or has just been made) a directory that only this user can use:
// a real directory, not a link, owned by the effective user, mode 0700.
bool isPrivateDirectory(const std::string &path)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    if ((info.st_mode & 07777) != 0700 && ::chmod(path.c_str(), 0700) != 0)
        return false;
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

// The folders this run made with mkdtemp; removed, with whatever is left in them, when
// the process exits normally.
std::vector<std::string> &runFolders()
{
    static std::vector<std::string> folders;
    return folders;
}

// The same paths for removeEmptyRunFolders(), which may run in a signal handler and so
// reads only fixed storage.
constexpr int kMaxRunFolders = 8;
char runFolderPaths[kMaxRunFolders][4096];
volatile std::sig_atomic_t runFolderCount = 0;

void removeRunFolders()
{
    for (const std::string &folder : runFolders()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

// True when `path` still is the private directory this run made: a real directory, not a
// link, owned by the effective user, mode 0700. Never creates anything.
bool isStillPrivate(const std::string &path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

// A fresh folder of this run below `temp` ("" when none can be made); later calls reuse
// it while it is still there and private.
std::string runFolderBelow(const std::string &temp)
{
    const std::string prefix = (temp == "/" ? "" : temp) + "/VarlenScr-";
    for (const std::string &folder : runFolders())
        if (folder.rfind(prefix, 0) == 0 && folder.find('/', prefix.size()) == std::string::npos
            && isStillPrivate(folder))
            return folder;
    std::string pattern = prefix + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    if (runFolders().empty())
        std::atexit(removeRunFolders);
    runFolders().push_back(pattern);
    if (runFolderCount < kMaxRunFolders && pattern.size() < sizeof runFolderPaths[0]) {
        pattern.copy(runFolderPaths[runFolderCount], pattern.size());
        runFolderPaths[runFolderCount][pattern.size()] = '\0';
        runFolderCount = runFolderCount + 1;
    }
    return pattern;
}

// An absolute directory named by an environment variable, or "" when it is unset,
// empty or relative.
std::string absoluteDirectoryFromEnvironment(const char *name)
{
    const char *value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return withoutTrailingSlashes(value);
}

// Streams the scrambled copy into the descrambled file. False (after a line on stderr)
// when a file cannot be opened, read or written whole; no partial result file is left.
bool descrambleFile(const std::string &directory, const std::string &baseName)
{
    const std::string inPath = directory + baseName + ".ad";
    const std::string outPath = directory + baseName + descrambledSuffix(baseName);

    std::FILE *in = std::fopen(inPath.c_str(), "rb");
    if (in == nullptr) {
        std::cerr << "cannot open infile\n";
        return false;
    }
    std::FILE *out = std::fopen(outPath.c_str(), "wb");
    if (out == nullptr) {
        std::cerr << " cannot open outfile\n";
        std::fclose(in);
        return false;
    }

    std::vector<uint8_t> block(64 * 1024);
    std::size_t byteNumber = 1;
    bool writeFailed = false;
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), in);
        if (got == 0)
            break;
        descrambleBytes(std::span<uint8_t>(block.data(), got), byteNumber);
        byteNumber += got;
        if (std::fwrite(block.data(), 1, got, out) != got) {
            writeFailed = true;
            break;
        }
    }
    const bool readFailed = std::ferror(in) != 0;
    std::fclose(in);
    writeFailed = std::fclose(out) != 0 || writeFailed;
    if (readFailed)
        std::cerr << "cannot read infile\n";
    if (writeFailed)
        std::cerr << "cannot write outfile\n";
    if (readFailed || writeFailed) {
        std::remove(outPath.c_str());
        return false;
    }
    return true;
}

} // namespace

void setMessageReporter(MessageReporter reporter) { currentReporter() = std::move(reporter); }

void reportMessage(const std::string &text, const std::string &caption)
{
    const MessageReporter &reporter = currentReporter();
    if (reporter)
        reporter(text, caption);
    else
        std::cerr << caption << ": " << text << '\n';
}

std::string assetDirectory()
{
    const std::string runtime = absoluteDirectoryFromEnvironment("XDG_RUNTIME_DIR");
    if (!runtime.empty() && isStillPrivate(runtime)) {
        const std::string directory = (runtime == "/" ? "" : runtime) + "/VarlenScr";
        if (isPrivateDirectory(directory))
            return directory + '/';
    }

    std::string temp = absoluteDirectoryFromEnvironment("TMPDIR");
    if (temp.empty())
        temp = "/tmp";
    const std::string directory =
        (temp == "/" ? "" : temp) + "/VarlenScr-" + std::to_string(::geteuid());
    if (isPrivateDirectory(directory))
        return directory + '/';

    // Both names are taken (by a link, or by another user who made them first).
    const std::string runFolder = runFolderBelow(temp);
    if (!runFolder.empty())
        return runFolder + '/';

    reportMessage("Error Find TempPath.", "ERROR");
    return {};
}

void removeEmptyRunFolders()
{
    deleteTrackedRunFiles();
    for (int i = 0; i < runFolderCount; ++i)
        ::rmdir(runFolderPaths[i]);
}

bool isRunFolder(const std::string &directory)
{
    const std::string folder = withoutTrailingSlashes(directory);
    for (const std::string &made : runFolders())
        if (made == folder)
            return true;
    return false;
}

std::string descrambledSuffix(const std::string &baseName)
{
    return baseName == "Music" ? ".wav" : ".bmp";
}

bool extractAsset(int id, std::string directory, std::string baseName)
{
    if (directory.empty() || directory.front() != '/')
        return false;  // never the current directory
    QFile resource(QStringLiteral(":/RCAD/%1").arg(id));
    if (!resource.exists() || !resource.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = resource.readAll();
    if (bytes.size() != resource.size())
        return false;

    // A fresh file every time: an older, longer copy must not leave its tail behind.
    const std::string scrambledPath = directory + baseName + ".ad";
    std::FILE *out = std::fopen(scrambledPath.c_str(), "wb");
    if (out == nullptr) {
        std::cerr << "cannot open " << scrambledPath << '\n';
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    const bool written = std::fwrite(bytes.constData(), 1, size, out) == size;
    if (std::fclose(out) != 0 || !written) {
        std::cerr << "cannot write " << scrambledPath << '\n';
        std::remove(scrambledPath.c_str());
        return false;
    }
    return descrambleFile(directory, baseName);
}

void descrambleAsset(std::string directory, std::string baseName)
{
    descrambleFile(directory, baseName);
}

void deleteAssetFile(const std::string &path)
{
    if (!path.empty() && path.front() == '/')
        std::remove(path.c_str());
}

void descrambleBytes(std::span<uint8_t> data, std::size_t firstByteNumber)
{
    std::size_t n = firstByteNumber;
    for (uint8_t &byte : data)
        byte = static_cast<uint8_t>(byte + static_cast<uint8_t>(varlen::kAssetKey[n++ % 50]));
}

void scrambleBytes(std::span<uint8_t> data, std::size_t firstByteNumber)
{
    std::size_t n = firstByteNumber;
    for (uint8_t &byte : data)
        byte = static_cast<uint8_t>(byte - static_cast<uint8_t>(varlen::kAssetKey[n++ % 50]));
}
