// The generator run as the build runs it: same bytes every time, the same bytes the
// store embeds.

#include "ResourceStore.h"
#include "art_StoredAsset.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

bool runGenerator(const QString& outDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ASSETGEN_PATH), {outDir});
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

QStringList filesUnder(const QString& dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AssetGenerator, writesTheSameBytesOnEveryRun)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(runGenerator(first.path()));
    ASSERT_TRUE(runGenerator(second.path()));
    const QStringList files = filesUnder(first.path());
    // 28 stored assets, 8 cursors, 10 menu and switch icons, 7 application icon sizes.
    EXPECT_EQ(files.size(), 53);
    EXPECT_EQ(filesUnder(second.path()), files);
    for (const QString& name : files)
        EXPECT_EQ(contents(first.path() + "/" + name), contents(second.path() + "/" + name))
            << qPrintable(name);

    // The build embedded exactly what the generator writes.
    for (const QString& name : files)
        EXPECT_EQ(contents(":/" + name), contents(first.path() + "/" + name)) << qPrintable(name);
}

TEST(AssetGenerator, failsWhenItCannotWrite)
{
    QProcess process;
    process.start(QStringLiteral(ASSETGEN_PATH), {QStringLiteral("/proc/varlen-assets")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
}

TEST(AssetGenerator, failsWithoutAnOutputDirectory)
{
    QProcess process;
    process.start(QStringLiteral(ASSETGEN_PATH), {});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
}

TEST(ResourceStore, namesTheResourcePathsById)
{
    EXPECT_EQ(varlen::assetResourcePath(154), QStringLiteral(":/RCAD/154"));
    EXPECT_EQ(varlen::cursorResourcePath(158), QStringLiteral(":/cursors/158.png"));
    EXPECT_EQ(varlen::iconResourcePath(183), QStringLiteral(":/icons/183.png"));
    EXPECT_EQ(varlen::applicationIconResourcePath(48), QStringLiteral(":/icons/app-48.png"));
}

TEST(ResourceStore, registeringAgainIsHarmless)
{
    const QByteArray before = contents(varlen::assetResourcePath(10007));
    varlen::initResources();
    varlen::initResources();
    EXPECT_FALSE(before.isEmpty());
    EXPECT_EQ(contents(varlen::assetResourcePath(10007)), before);
}
