#pragma once

#include <string>

// The ways a run ends, kept clean: the stop signals, the files that must not outlive the
// process, and the locks copies of the program share.
//
// SIGTERM, SIGINT and SIGHUP end the process with code 0. Before it ends, every file
// registered with trackRunFile() is deleted and the empty folders the run made are
// removed. A signal that arrives while an ExitDeferred is alive (extracted asset files
// exist for that moment only) is acted on when the last one ends, so no half-written or
// loaded-but-not-deleted asset file is ever left behind.

// Installs the handlers, then unblocks the three signals (the launcher blocks them
// before the program is loaded; one that came meanwhile ends the run here). Call first
// thing in main(), before any thread starts.
void installExitSignals();

// While one is alive, the stop signals wait. Keep it short: a few tens of milliseconds.
class ExitDeferred {
public:
    ExitDeferred();
    ~ExitDeferred();
    ExitDeferred(const ExitDeferred &) = delete;
    ExitDeferred &operator=(const ExitDeferred &) = delete;
};

// Files deleted on every way out that skips destructors (a signal, Esc, the host's end).
// Register a file before it is made, inside an ExitDeferred when its name is only known
// once made. At most 8 at a time; paths of up to 4095 bytes.
void trackRunFile(const std::string &path);
void untrackRunFile(const std::string &path);

// Deletes the tracked files; safe in a signal handler. removeEmptyRunFolders() calls it
// first, so every way out that calls that leaves no tracked file behind.
void deleteTrackedRunFiles();

// An exclusive flock() on <lock directory>/<name>.lock in the user's private folder
// (never a shared one), opened with O_NOFOLLOW. Waits at most `waitMs` milliseconds for
// another holder, then goes on without the lock: a hung copy never stops this one. Held
// for the life of the object; where no lock file can be made it holds nothing.
class ScopedFileLock {
public:
    explicit ScopedFileLock(const std::string &name, int waitMs = 3000);
    ~ScopedFileLock();
    ScopedFileLock(const ScopedFileLock &) = delete;
    ScopedFileLock &operator=(const ScopedFileLock &) = delete;
    bool held() const { return fd >= 0; }

private:
    int fd = -1;
};

// Copies of the program that run at once (screensaver guests, one per monitor) write
// and delete the same asset files: each holds this lock while it does.
inline constexpr const char *kAssetFilesLock = "VarlenScr-assets";

// Where lock files go, ending in '/': $XDG_RUNTIME_DIR when it is a real directory of
// this user with mode 0700, else the private asset directory (assetDirectory()), which
// is checked the same way; "" when there is none.
std::string lockFileDirectory();

// Opens (creating, mode 0600) the lock file <lock directory>/<name>.lock with O_NOFOLLOW
// and returns its descriptor, or -1. A lock file in a folder made for this run alone is
// deleted with the folder.
int openLockFile(const std::string &name);
