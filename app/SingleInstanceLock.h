#pragma once

#include "RunGuards.h"

#include <string>

// A process-wide lock held by the kernel: an exclusive flock() on a file named after the
// lock in the user's own lock directory (lockFileDirectory(): $XDG_RUNTIME_DIR or a
// private per-user folder, never a shared one). It is never released by the program; the
// kernel frees it when the process ends, however it ends.
class SingleInstanceLock {
public:
    // Returns true when this process now holds the lock named `name`, false when another
    // process holds it already. Never waits.
    static bool acquire(const std::string &name);
};
