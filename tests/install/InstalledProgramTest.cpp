// The installed program as the screensaver hosts start it: under every argument its
// xscreensaver settings pane can produce (from libexec/xscreensaver, with the pane's
// command, XSCREENSAVER_WINDOW and --window-id naming a window of ours) and by the Exec
// line of its screensaver entry; and its manual against its usage.

#include "HostWindow.h"
#include "InstalledFiles.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace installtest;

namespace {

struct SettingsPane {
    QStringList command;              // the <command> arguments, always given
    std::vector<QStringList> choices; // each argument one control can add, on its own
};

// Reads the pane as xscreensaver's settings program does: a control at its default
// adds nothing; a boolean adds arg-set when ticked or arg-unset when cleared; a number
// adds its arg with "%" replaced by the value (here its lowest, middle and highest);
// a select adds the arg-set of the chosen option.
SettingsPane readPane(const QString& path)
{
    SettingsPane pane;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return pane;
    QXmlStreamReader xml(&file);
    auto split = [](const QString& arg) { return arg.split(' ', Qt::SkipEmptyParts); };
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        if (name == u"command") {
            pane.command += split(a.value("arg").toString());
        } else if (name == u"boolean" || name == u"option") {
            for (const char* key : {"arg-set", "arg-unset"})
                if (a.hasAttribute(key))
                    pane.choices.push_back(split(a.value(key).toString()));
        } else if (name == u"number") {
            const int low = a.value("low").toInt();
            const int high = a.value("high").toInt();
            for (int value : {low, (low + high) / 2, high}) {
                QString arg = a.value("arg").toString();
                pane.choices.push_back(split(arg.replace('%', QString::number(value))));
            }
        }
    }
    return pane;
}

// Each run gets its own runtime and configuration directories: no lock or settings file
// of the user's or of another test is touched.
QProcessEnvironment privateEnvironment(const QTemporaryDir& dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.path());
    env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
    return env;
}

// The installed program's answer to --version, or what it printed before it was stopped.
QString versionAnswer(const QTemporaryDir& dir)
{
    QProcess process;
    process.setProcessEnvironment(privateEnvironment(dir));
    process.start(kPrefix + "/bin/varlenscr", {"--version"});
    if (!process.waitForFinished(5000))
        process.kill(), process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Starts the program as a screensaver host does and checks that it is still running after
// a second (it accepted its arguments), that it put its picture into the host's window,
// and that SIGTERM, the hosts' way of stopping a guest, ends it with status 0.
void expectRunsUntilStopped(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
                            const HostWindow& host)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_FALSE(process.waitForFinished(1000)) << "ended with status " << process.exitCode();
    if (process.state() == QProcess::NotRunning)
        return;
    EXPECT_TRUE(host.waitForChild(10000)) << "nothing drawn into the host's window";
    process.terminate();
    if (!process.waitForFinished(10000)) {
        ADD_FAILURE() << "still running 10 s after SIGTERM";
        process.kill();
        process.waitForFinished();
        return;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

// The Exec line of a desktop entry, split at spaces (ours need no quoting).
QStringList execLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith("Exec="))
            return line.mid(5).split(' ', Qt::SkipEmptyParts);
    }
    return {};
}

const char kSkipReason[] = "the installed program does not answer --version with \"varlenscr 1.0\" yet: "
                           "it has no command line to check against";

} // namespace

TEST(XscreensaverSettings, everyArgumentThePaneCanProduceIsAccepted)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (versionAnswer(dir) != "varlenscr 1.0")
        GTEST_SKIP() << kSkipReason;

    const SettingsPane pane = readPane(kPrefix + "/share/xscreensaver/config/varlenscr.xml");
    ASSERT_EQ(pane.command, QStringList{"--root"});
    // The pane offers the frame rate, the frame-rate readout and sound.
    QStringList offered;
    for (const QStringList& choice : pane.choices)
        offered << choice.first();
    for (const char* option : {"--delay", "--fps", "--sound"})
        EXPECT_TRUE(offered.contains(option)) << option;

    std::vector<QStringList> runs = {{}}; // every control at its default
    runs.insert(runs.end(), pane.choices.begin(), pane.choices.end());
    QStringList everything; // every control moved at once (numbers at their highest)
    for (const QStringList& choice : pane.choices) {
        const int at = everything.indexOf(choice.first());
        if (at >= 0)
            everything.remove(at, choice.size());
        everything += choice;
    }
    runs.push_back(everything);

    for (const QStringList& choice : runs) {
        const HostWindow host; // a fresh one: no child left by the run before
        ASSERT_TRUE(host.isOpen()) << "no X display";
        const QStringList arguments = QStringList{"--window-id", host.hexId()} + pane.command + choice;
        SCOPED_TRACE(qPrintable(arguments.join(' ')));
        QProcessEnvironment env = privateEnvironment(dir);
        env.insert("XSCREENSAVER_WINDOW", host.hexId());
        expectRunsUntilStopped(kPrefix + "/libexec/xscreensaver/varlenscr", arguments, env, host);
    }
}

// MATE and Xfce run the Exec line of the screensaver entry with only XSCREENSAVER_WINDOW
// naming their window.
TEST(ScreensaverEntry, runsInTheWindowTheHostNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (versionAnswer(dir) != "varlenscr 1.0")
        GTEST_SKIP() << kSkipReason;

    QStringList exec = execLine(kPrefix + "/share/applications/screensavers/varlenscr.desktop");
    ASSERT_FALSE(exec.isEmpty());
    ASSERT_EQ(exec.takeFirst(), "varlenscr");
    HostWindow host;
    ASSERT_TRUE(host.isOpen()) << "no X display";
    QProcessEnvironment env = privateEnvironment(dir);
    env.insert("XSCREENSAVER_WINDOW", host.hexId());
    expectRunsUntilStopped(kPrefix + "/bin/varlenscr", exec, env, host);
}

// The manual keeps up with the program: every option its usage names is described there.
TEST(Manual, describesEveryOptionOfTheUsage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (versionAnswer(dir) != "varlenscr 1.0")
        GTEST_SKIP() << kSkipReason;

    QProcess help;
    help.setProcessEnvironment(privateEnvironment(dir));
    help.start(kPrefix + "/bin/varlenscr", {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_EQ(help.exitCode(), 0);
    const QString usage = QString::fromLocal8Bit(help.readAllStandardOutput());

    QFile page(kPrefix + "/share/man/man6/varlenscr.6");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString manual = QString::fromUtf8(page.readAll());

    // Options as the usage spells them, "-fps" or "--fps"; the manual writes "\-\-fps".
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--?([a-z][a-z-]*[a-z])"));
    QStringList names;
    for (auto it = option.globalMatch(usage); it.hasNext();)
        names << it.next().captured(1);
    names.removeDuplicates();
    EXPECT_GE(names.size(), 10) << qPrintable(usage);
    for (const QString& name : names) {
        // An entry of OPTIONS: ".TP", then ".B \-\-name" or ".BI \-\-name \" arg\"".
        QString escaped = "--" + name;
        escaped.replace('-', "\\-");
        const QRegularExpression entry("^\\.TP\n\\.BI? " + QRegularExpression::escape(escaped) + "( |$)",
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(manual.contains(entry)) << qPrintable(name);
    }
}
