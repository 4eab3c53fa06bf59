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
