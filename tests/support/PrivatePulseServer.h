#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <csignal>
#include <sys/prctl.h>

// A PulseAudio server of the test's own with one null sink: what is played into it can
// be recorded from its monitor. Clients find it through PULSE_SERVER.
class PrivatePulseServer {
public:
    // Starts the server; false with the reason when it cannot run here.
    bool start(QString *why)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString recorder = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (program.isEmpty() || recorder.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pacat")).isEmpty()) {
            *why = QStringLiteral("pulseaudio, parec, pacat or pactl is not installed");
            return false;
        }
        if (!m_dir.isValid()) {
            *why = QStringLiteral("no temporary directory");
            return false;
        }
        m_socket = m_dir.path() + QStringLiteral("/native");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.remove(QStringLiteral("PULSE_SERVER"));
        m_server.setProcessEnvironment(environment);
        for (QProcess *process : {&m_server, &m_silence, &m_recorder}) {
            // Gone with the test process, even when it is killed.
            process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        }
        m_server.setStandardInputFile(QProcess::nullDevice());
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(program, {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--system=false"),
                                 QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                                 QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                                 QStringLiteral("--load=module-null-sink sink_name=nullsink"),
                                 QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + m_socket});
        if (!m_server.waitForStarted(10000)) {
            *why = QStringLiteral("pulseaudio did not start");
            return false;
        }
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
            if (QFile::exists(m_socket) && answers())
                return warmUp(why);
            QThread::msleep(50);
        }
        *why = QStringLiteral("pulseaudio did not answer");
        return false;
    }

    ~PrivatePulseServer()
    {
        for (QProcess *process : {&m_recorder, &m_silence, &m_server}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    // The value of PULSE_SERVER that reaches this server.
    QByteArray address() const { return "unix:" + m_socket.toUtf8(); }

    // From now on collects what plays into the null sink.
    bool startRecording()
    {
        if (m_recorder.state() != QProcess::Running)
            return false;
        m_recorder.waitForReadyRead(0);
        m_recorder.readAllStandardOutput();
        return true;
    }

    // What played since startRecording(): 16-bit stereo at 44100 Hz, interleaved.
    QByteArray stopRecording()
    {
        m_recorder.waitForReadyRead(100);
        return m_recorder.readAllStandardOutput();
    }

    // Number of streams playing into the server right now, besides the server's own.
    int playingStreams()
    {
        const int streams = count(QStringLiteral("sink-inputs"));
        return streams < 0 ? streams : streams - 1;
    }

private:
    // Entries of `pactl list short <what>`; -1 when pactl fails.
    int count(const QString &what)
    {
        QProcess pactl;
        pactl.start(QStandardPaths::findExecutable(QStringLiteral("pactl")),
                    {QStringLiteral("--server=") + QString::fromUtf8(address()), QStringLiteral("list"),
                     QStringLiteral("short"), what});
        if (!pactl.waitForFinished(10000))
            return -1;
        const QByteArray out = pactl.readAllStandardOutput().trimmed();
        return out.isEmpty() ? 0 : int(out.count('\n')) + 1;
    }

    // A fresh server drops what its sink renders in its first moments. A stream of
    // silence keeps the sink running and the recorder reads its monitor all along; the
    // server is ready once the recorder receives data.
    bool warmUp(QString *why)
    {
        const QString server = QStringLiteral("--server=") + QString::fromUtf8(address());
        const QStringList format = {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                    QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"),
                                    QStringLiteral("--latency-msec=20")};
        m_silence.setStandardInputFile(QProcess::nullDevice());
        m_silence.setStandardOutputFile(QProcess::nullDevice());
        m_silence.setStandardErrorFile(QProcess::nullDevice());
        m_silence.start(QStandardPaths::findExecutable(QStringLiteral("pacat")),
                        QStringList{server, QStringLiteral("--playback")} + format + QStringList{QStringLiteral("/dev/zero")});
        m_recorder.start(QStandardPaths::findExecutable(QStringLiteral("parec")),
                         QStringList{server, QStringLiteral("--device=nullsink.monitor")} + format);
        if (!m_silence.waitForStarted(10000) || !m_recorder.waitForStarted(10000)) {
            *why = QStringLiteral("pacat or parec did not start");
            return false;
        }
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && m_recorder.state() == QProcess::Running) {
            if (m_recorder.waitForReadyRead(100))
                return true;
        }
        *why = QStringLiteral("the null sink's monitor gave no data");
        return false;
    }

    bool answers()
    {
        QProcess pactl;
        pactl.start(QStandardPaths::findExecutable(QStringLiteral("pactl")), {QStringLiteral("--server=") + QString::fromUtf8(address()), QStringLiteral("info")});
        return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
    }

    QTemporaryDir m_dir;
    QString m_socket;
    QProcess m_server;
    QProcess m_silence;
    QProcess m_recorder;
};

// What a recording holds, cut into windows of 100 ms (4410 frames of 16-bit stereo at
// 44100 Hz). The null sink renders only while something plays into it, so a recording's
// length need not match the wall time it ran: judge its content, not its timing.
struct Recording {
    struct Window {
        double left = 0;        // RMS of each channel
        double right = 0;
        int crossings = 0;      // sign changes of the left channel: 2 per period
    };
    std::vector<Window> windows;

    static constexpr int kWindowFrames = 4410;

    explicit Recording(const QByteArray &samples)
    {
        const int frames = int(samples.size() / 4);
        for (int start = 0; start + kWindowFrames <= frames; start += kWindowFrames) {
            Window w;
            double left = 0, right = 0;
            int16_t previous = 0;
            for (int i = start; i < start + kWindowFrames; ++i) {
                int16_t l, r;
                std::memcpy(&l, samples.constData() + 4 * i, 2);
                std::memcpy(&r, samples.constData() + 4 * i + 2, 2);
                left += double(l) * l;
                right += double(r) * r;
                if (i > start && ((previous < 0 && l >= 0) || (previous >= 0 && l < 0)))
                    ++w.crossings;
                previous = l;
            }
            w.left = std::sqrt(left / kWindowFrames);
            w.right = std::sqrt(right / kWindowFrames);
            windows.push_back(w);
        }
    }

    // Windows whose both channels are above `floor`.
    std::vector<Window> sounding(double floor) const
    {
        std::vector<Window> out;
        for (const Window &w : windows)
            if (w.left > floor && w.right > floor)
                out.push_back(w);
        return out;
    }

    // The loudest channel of the loudest window.
    double peakRms() const
    {
        double peak = 0;
        for (const Window &w : windows)
            peak = std::max({peak, w.left, w.right});
        return peak;
    }

    // Mean RMS of the left and right channel over `windows`.
    static std::pair<double, double> meanLevels(const std::vector<Window> &windows)
    {
        double left = 0, right = 0;
        for (const Window &w : windows) {
            left += w.left;
            right += w.right;
        }
        if (windows.empty())
            return {0, 0};
        return {left / windows.size(), right / windows.size()};
    }
};
