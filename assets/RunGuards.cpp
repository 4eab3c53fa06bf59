#include "RunGuards.h"

#include "AssetStore.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Signal-safe state: lock-free atomics and fixed storage only.
std::atomic<int> deferDepth{0};
std::atomic<int> exitPending{0};

constexpr int kMaxTracked = 8;
constexpr std::size_t kMaxPath = 4096;
char trackedPaths[kMaxTracked][kMaxPath];
std::atomic<bool> trackedUsed[kMaxTracked];

[[noreturn]] void endRun()
{
    removeEmptyRunFolders(); // the tracked files first, then the empty folders
    ::_exit(0);
}

void onStopSignal(int)
{
    // Pending first, then the check: ExitDeferred's end reads them the other way round,
    // so between the two one always sees the other and the signal is never lost.
    exitPending.store(1);
    if (deferDepth.load() == 0)
        endRun();
}

} // namespace

void installExitSignals()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&action.sa_mask, signal);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
    // The launcher holds them blocked until now: one that came meanwhile is acted on here.
    sigprocmask(SIG_UNBLOCK, &action.sa_mask, nullptr);
}

ExitDeferred::ExitDeferred() { deferDepth.fetch_add(1); }

ExitDeferred::~ExitDeferred()
{
    if (deferDepth.fetch_sub(1) == 1 && exitPending.load() != 0)
        endRun();
}

void trackRunFile(const std::string &path)
{
    if (path.empty() || path.size() >= kMaxPath)
        return;
    for (int i = 0; i < kMaxTracked; ++i)
        if (trackedUsed[i].load() && path == trackedPaths[i])
            return;
    for (int i = 0; i < kMaxTracked; ++i) {
        if (trackedUsed[i].load())
            continue;
        std::memcpy(trackedPaths[i], path.c_str(), path.size() + 1);
        trackedUsed[i].store(true); // published only once the path is whole
        return;
    }
}

void untrackRunFile(const std::string &path)
{
    for (int i = 0; i < kMaxTracked; ++i)
        if (trackedUsed[i].load() && path == trackedPaths[i])
            trackedUsed[i].store(false);
}

void deleteTrackedRunFiles()
{
    for (int i = 0; i < kMaxTracked; ++i)
        if (trackedUsed[i].load())
            ::unlink(trackedPaths[i]);
}

std::string lockFileDirectory()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && ::lstat(runtime, &info) == 0 && S_ISDIR(info.st_mode)
        && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700) {
        std::string directory = runtime;
        while (directory.size() > 1 && directory.back() == '/')
            directory.pop_back();
        return directory == "/" ? directory : directory + '/';
    }
    return assetDirectory();
}

int openLockFile(const std::string &name)
{
    const std::string directory = lockFileDirectory();
    if (directory.empty())
        return -1;
    const std::string path = directory + name + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && isRunFolder(directory))
        trackRunFile(path); // the folder goes at the end of the run: its lock file with it
    return fd;
}

ScopedFileLock::ScopedFileLock(const std::string &name, int waitMs)
{
    fd = openLockFile(name);
    if (fd < 0)
        return;
    // Polled rather than blocking, so the wait has an end.
    timespec start {};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const long long waitedMs = (now.tv_sec - start.tv_sec) * 1000LL + (now.tv_nsec - start.tv_nsec) / 1000000;
        if ((errno != EWOULDBLOCK && errno != EINTR) || waitedMs >= waitMs) {
            ::close(fd);
            fd = -1;
            return;
        }
        const timespec pause {0, 5 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
}

ScopedFileLock::~ScopedFileLock()
{
    if (fd >= 0)
        ::close(fd); // closing the last descriptor releases the lock
}
