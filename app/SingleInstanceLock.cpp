#include "SingleInstanceLock.h"

#include <sys/file.h>
#include <unistd.h>

bool SingleInstanceLock::acquire(const std::string &name)
{
    const int fd = openLockFile(name);
    if (fd < 0)
        return true; // nowhere to keep a lock: run rather than refuse to start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    return true; // the descriptor stays open for the life of the process
}
