#pragma once

#include <string>

// A process-wide lock held by the kernel: an exclusive flock() on a file named after the
// lock in $XDG_RUNTIME_DIR (or the temporary directory). It is never released by the
// program; the kernel frees it when the process ends, however it ends.
class SingleInstanceLock {
public:
    // Returns true when this process now holds the lock named `name`, false when another
    // process holds it already.
    static bool acquire(const std::string &name);

    // The directory that holds the lock files.
    static std::string lockDirectory();
};

// Copies of the program that run at once (screensaver guests, one per monitor) write
// and delete the same asset files: each holds this lock while it does, so they take
// turns. A blocking exclusive flock() on a file named after the lock, in the same
// directory as the single-instance locks, held for the life of the object. Where no
// lock file can be made it holds nothing, and the program runs on.
class ScopedFileLock {
public:
    explicit ScopedFileLock(const std::string &name);
    ~ScopedFileLock();
    ScopedFileLock(const ScopedFileLock &) = delete;
    ScopedFileLock &operator=(const ScopedFileLock &) = delete;

private:
    int fd = -1;
};

// The lock name for extracting assets.
inline constexpr const char *kAssetFilesLock = "VarlenScr-assets";
