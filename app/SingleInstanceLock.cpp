#include "SingleInstanceLock.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string SingleInstanceLock::lockDirectory()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return QDir(dir).absolutePath().toStdString();
}

bool SingleInstanceLock::acquire(const std::string &name)
{
    const std::string path = lockDirectory() + "/" + name + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // nowhere to keep a lock: run rather than refuse to start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    return true; // the descriptor stays open for the life of the process
}

ScopedFileLock::ScopedFileLock(const std::string &name)
{
    const std::string path = SingleInstanceLock::lockDirectory() + "/" + name + ".lock";
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            fd = -1;
            return;
        }
    }
}

ScopedFileLock::~ScopedFileLock()
{
    if (fd >= 0)
        ::close(fd); // closing the last descriptor releases the lock
}
