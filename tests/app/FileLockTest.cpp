// Copies of the program that run at once take turns at the asset files.
#include "SingleInstanceLock.h"

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

} // namespace
