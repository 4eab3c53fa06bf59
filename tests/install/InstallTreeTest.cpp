// The installed tree: every file in place and nothing else, the icon sizes, the link the
// screensaver hosts run, the desktop tools' validators, and the Debian package.

#include "InstalledFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>

using namespace installtest;

namespace {

QStringList filesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// A validator passes when it ends with status 0 and says nothing about a warning or an
// error (desktop-file-validate and groff report warnings with status 0; hints are fine).
struct ValidatorCase {
    const char* name;
    const char* tool;
    QStringList arguments; // the file, relative to the prefix, is appended
    const char* file;
};

void PrintTo(const ValidatorCase& c, std::ostream* os) { *os << c.tool << " " << c.file; }

class Validator : public testing::TestWithParam<ValidatorCase> {};

} // namespace

TEST(InstallTree, holdsEveryFileAndNothingElse)
{
    EXPECT_EQ(filesUnder(kPrefix), expectedFiles());
}

TEST(InstallTree, screensaverHostsRunTheProgramThroughARelativeLink)
{
    const QFileInfo link(kPrefix + "/libexec/xscreensaver/varlenscr");
    ASSERT_TRUE(link.isSymLink());
    // Relative, so that it holds in the package and under any DESTDIR.
    const std::string target = std::filesystem::read_symlink(link.filePath().toStdString());
    EXPECT_TRUE(QDir::isRelativePath(QString::fromStdString(target))) << target;
    EXPECT_EQ(link.canonicalFilePath(), QFileInfo(kPrefix + "/bin/varlenscr").canonicalFilePath());
    EXPECT_TRUE(QFileInfo(kPrefix + "/bin/varlenscr").isExecutable());
}

TEST(InstallTree, eachIconIsDrawnAtTheSizeOfItsDirectory)
{
    for (int size : kIconSizes) {
        const QImage icon(QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/varlenscr.png").arg(kPrefix).arg(size));
        EXPECT_EQ(icon.width(), size);
        EXPECT_EQ(icon.height(), size);
    }
}

TEST_P(Validator, acceptsTheInstalledFile)
{
    const ValidatorCase& c = GetParam();
    const QString file = kPrefix + "/" + c.file;
    ASSERT_TRUE(QFileInfo::exists(file)) << qPrintable(file);
    const ToolRun run = runTool(c.tool, QStringList(c.arguments) << file);
    ASSERT_TRUE(run.finished) << c.tool << " did not end";
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    static const QRegularExpression complaint(QStringLiteral("warning|error"),
                                              QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(run.output.contains(complaint)) << qPrintable(run.output);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopTools, Validator,
    testing::Values(
        ValidatorCase{"launcher", "desktop-file-validate", {}, "share/applications/varlenscr.desktop"},
        ValidatorCase{"screensaverEntry", "desktop-file-validate", {}, "share/applications/screensavers/varlenscr.desktop"},
        ValidatorCase{"appStream", "appstreamcli", {"validate", "--no-net"}, "share/metainfo/varlenscr.metainfo.xml"},
        ValidatorCase{"manual", "groff", {"-man", "-ww", "-z"}, "share/man/man6/varlenscr.6"}),
    [](const testing::TestParamInfo<ValidatorCase>& info) { return std::string(info.param.name); });

// Software centres fetch the screenshots from the project's address: each must be a
// picture of docs/ there. Without an address given at configure time the metadata names
// none (no home page, no screenshots) rather than one that leads nowhere.
TEST(AppStreamMetadata, screenshotsArePicturesOfTheDocsFolder)
{
    QFile file(kPrefix + "/share/metainfo/varlenscr.metainfo.xml");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList images, urls;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && (xml.name() == u"image" || xml.name() == u"url"))
            (xml.name() == u"image" ? images : urls) << xml.readElementText().trimmed();
    ASSERT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    if (QStringLiteral(HOMEPAGE).isEmpty()) {
        EXPECT_TRUE(images.isEmpty()) << qPrintable(images.join(' '));
        EXPECT_TRUE(urls.isEmpty()) << qPrintable(urls.join(' '));
        return;
    }
    EXPECT_EQ(urls, QStringList{QStringLiteral(HOMEPAGE)});
    ASSERT_FALSE(images.isEmpty());
    const QString base = QStringLiteral(HOMEPAGE "/docs/");
    for (const QString& url : images) {
        ASSERT_TRUE(url.startsWith(base)) << qPrintable(url);
        const QImage picture(QStringLiteral(SOURCE_DIR "/docs/") + url.mid(base.size()));
        EXPECT_FALSE(picture.isNull()) << qPrintable(url);
    }
}

TEST(DebianPackage, holdsTheInstalledFilesAndNamesItsDependencies)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const ToolRun cpack = runTool(CPACK_PROGRAM, {"-G", "DEB", "--config", BUILD_DIR "/CPackConfig.cmake", "-B", out.path()},
                              240000);
    ASSERT_TRUE(cpack.finished && cpack.exitCode == 0) << qPrintable(cpack.output);
    const QStringList debs = QDir(out.path()).entryList({"varlenscr_*.deb"}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << qPrintable(cpack.output);
    const QString deb = out.path() + "/" + debs.first();
    // The standard name: package_version_architecture.deb.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^varlenscr_1\\.0_[a-z0-9]+\\.deb$")).match(debs.first()).hasMatch())
        << qPrintable(debs.first());

    const ToolRun contents = runTool("dpkg-deb", {"-c", deb});
    ASSERT_EQ(contents.exitCode, 0) << qPrintable(contents.output);
    // "<mode> <owner> <size> <date> <time> ./usr/<path>[ -> <target>]"; directories left out.
    static const QRegularExpression entry(QStringLiteral("^[^d].* \\./usr/(\\S+)( -> \\S+)?$"));
    QStringList packaged;
    for (const QString& line : contents.output.split('\n', Qt::SkipEmptyParts))
        if (const QRegularExpressionMatch m = entry.match(line); m.hasMatch())
            packaged << m.captured(1);
    packaged.sort();
    EXPECT_EQ(packaged, expectedFiles());

    auto field = [&](const char* name) { return runTool("dpkg-deb", {"-f", deb, name}).output.trimmed(); };
    EXPECT_FALSE(field("Depends").isEmpty());
    // Found by the library scan, beside the plugins named by hand.
    EXPECT_TRUE(field("Depends").contains("libqt6widgets6")) << qPrintable(field("Depends"));
    EXPECT_EQ(field("Section"), "games");
    EXPECT_EQ(field("Suggests"), "xscreensaver | xsecurelock");
    // The X11 plugin comes with libqt6gui6; qt6-qpa-plugins would bring nothing used.
    EXPECT_FALSE(field("Depends").contains("qt6-qpa-plugins")) << qPrintable(field("Depends"));
    EXPECT_TRUE(field("Recommends").contains("xdg-utils")) << qPrintable(field("Recommends"));
}
