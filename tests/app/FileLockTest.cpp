// Copies of the program that run at once take turns at the asset files.
#include "SingleInstanceLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

TEST(ScopedFileLock, anotherProcessWaitsUntilTheHolderLetsGo)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8()));
    const std::string probe = "flock -n '" + runtime.path().toStdString() + "/" + kAssetFilesLock + ".lock' true";
    std::optional<ScopedFileLock> held(std::in_place, kAssetFilesLock);
    EXPECT_NE(std::system(probe.c_str()), 0) << "held: another process cannot take it";
    held.reset();
    EXPECT_EQ(std::system(probe.c_str()), 0) << "released: another process takes it at once";
}

TEST(ScopedFileLock, aHolderThatNeverLetsGoIsWaitedOnOnlySoLong)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8()));
    const std::string path = runtime.path().toStdString() + "/" + kAssetFilesLock + ".lock";
    ASSERT_EQ(std::system(("flock '" + path + "' sleep 30 & sleep 0.5").c_str()), 0);
    const ScopedFileLock gaveUp(kAssetFilesLock, 200);
    EXPECT_FALSE(gaveUp.held()) << "it goes on without the lock rather than hang";
    std::system(("fuser -k '" + path + "' >/dev/null 2>&1").c_str());
}

// Lock files are opened in the user's own folder only, and never through a link.
TEST(ScopedFileLock, aLinkOfTheLockNameIsNotFollowed)
{
    QTemporaryDir runtime, elsewhere;
    ASSERT_TRUE(qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8()));
    const QString target = elsewhere.path() + "/target";
    ASSERT_TRUE(QFile::link(target, runtime.path() + "/" + kAssetFilesLock + ".lock"));
    const ScopedFileLock lock(kAssetFilesLock, 0);
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(QFile::exists(target)) << "the link's target was made";
}

} // namespace
