#pragma once

// What the install rules put under the prefix (the tree of the test fixture, /usr in the
// Debian package), and a way to run the desktop tools on it.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable failure messages for file names and lists of them.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace installtest {

inline const QString kPrefix = QStringLiteral(INSTALL_PREFIX);

inline const std::vector<int> kIconSizes = {16, 24, 32, 48, 64, 128, 256};

// Every file and link under the prefix, sorted.
inline QStringList expectedFiles()
{
    QStringList files = {
        "bin/varlenscr",
        "libexec/varlenscr/varlenscr",
        "libexec/xscreensaver/varlenscr",
        "share/applications/varlenscr.desktop",
        "share/applications/screensavers/varlenscr.desktop",
        "share/xscreensaver/config/varlenscr.xml",
        "share/metainfo/varlenscr.metainfo.xml",
        "share/man/man6/varlenscr.6",
    };
    for (int size : kIconSizes)
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/varlenscr.png").arg(size);
    files.sort();
    return files;
}

struct ToolRun {
    bool finished = false;
    int exitCode = -1;
    QString output; // standard output and standard error together
};

// Runs a program to its end (at most timeoutMs) and collects what it printed.
inline ToolRun runTool(const QString& program, const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished)
        process.kill(), process.waitForFinished();
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

} // namespace installtest
