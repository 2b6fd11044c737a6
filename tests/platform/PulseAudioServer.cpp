// SPDX-License-Identifier: GPL-3.0-or-later
#include "PulseAudioServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>

namespace {
constexpr int kDeadlineMs = 20000;

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}
} // namespace

bool WaitUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(kDeadlineMs);
    QTimer wake; // ends the last wait when the deadline passes
    wake.start(kDeadlineMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

PulseAudioServer::PulseAudioServer() {
    // The log is read until the server is ready; after that it is only drained, so that a
    // full pipe never stops the server.
    QObject::connect(&m_server, &QProcess::readyReadStandardError, &m_server, [this] {
        if (m_ready)
            m_server.readAllStandardError();
    });
    const QString root = m_dir.path();
    QDir().mkpath(root + QStringLiteral("/runtime"));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(root + QStringLiteral("/home"));
    QDir().mkpath(root + QStringLiteral("/config"));
    // ALSA's default devices go to the PulseAudio plugin, whatever the machine has.
    WriteFile(root + QStringLiteral("/home/.asoundrc"),
              "pcm.!default { type pulse }\nctl.!default { type pulse }\n");
    // A client never starts a server of its own (one that outlived the test).
    WriteFile(root + QStringLiteral("/client.conf"), "autospawn = no\n");
    WriteFile(root + QStringLiteral("/server.pa"),
              "load-module module-null-sink sink_name=" + kSink.toUtf8() + "\nset-default-sink " +
                  kSink.toUtf8() +
                  "\nload-module module-native-protocol-unix auth-anonymous=1 socket=" +
                  root.toUtf8() + "/runtime/native\n");
}

PulseAudioServer::~PulseAudioServer() {
    Stop();
}

void PulseAudioServer::PrepareClientEnvironment() {
    const QString root = m_dir.path();
    qputenv("HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toUtf8());
    qputenv("PULSE_SERVER", ("unix:" + root + QStringLiteral("/runtime/native")).toUtf8());
    qputenv("PULSE_CLIENTCONFIG", (root + QStringLiteral("/client.conf")).toUtf8());
    qunsetenv("ALSA_CONFIG_PATH");
}

bool PulseAudioServer::Start(QString* error) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString root = m_dir.path();
    env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    // No session bus and no display: the server must not start a bus daemon of its own.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=/nonexistent"));
    env.remove(QStringLiteral("DISPLAY"));
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setReadChannel(QProcess::StandardError);
    // A test that crashes takes its server with it.
    m_server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // -n: only the script's modules. As root PulseAudio warns and runs as a user server.
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"),
                    QStringLiteral("--log-level=info"), QStringLiteral("-F"),
                    root + QStringLiteral("/server.pa")});
    m_ready = false;
    QByteArray log;
    QDeadlineTimer deadline(kDeadlineMs);
    // The server says so once every module of the script is loaded and it takes clients.
    while (!log.contains("Daemon startup complete.")) {
        if (deadline.hasExpired() || !m_server.waitForReadyRead(int(deadline.remainingTime()))) {
            log += m_server.readAllStandardError();
            if (error)
                *error = QStringLiteral("pulseaudio did not start: ") + QString::fromUtf8(log);
            Kill();
            return false;
        }
        log += m_server.readAllStandardError();
    }
    m_ready = true;
    return true;
}

void PulseAudioServer::Kill() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.kill();
    m_server.waitForFinished(kDeadlineMs);
}

void PulseAudioServer::Stop() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(kDeadlineMs))
        Kill();
}

QString PulseAudioServer::Pactl(const QStringList& args) const {
    QProcess p;
    p.start(QStringLiteral("pactl"), args);
    if (!p.waitForFinished(kDeadlineMs) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        qWarning("pactl %s: %s", qPrintable(args.join(QLatin1Char(' '))),
                 p.readAllStandardError().constData());
        return {};
    }
    // Not null even when empty: a null string is the failure.
    const QByteArray out = p.readAllStandardOutput();
    return out.isEmpty() ? QString(QLatin1String("")) : QString::fromUtf8(out);
}

QList<int> PulseAudioServer::SinkVolume(const QString& sink) const {
    QList<int> volumes;
    static const QRegularExpression re(QStringLiteral("(\\d+) /\\s*\\d+%"));
    const QString out = Pactl({QStringLiteral("get-sink-volume"), sink});
    for (auto it = re.globalMatch(out.section(QLatin1Char('\n'), 0, 0)); it.hasNext();)
        volumes.append(it.next().captured(1).toInt());
    return volumes;
}

int PulseAudioServer::SinkMuted(const QString& sink) const {
    const QString out = Pactl({QStringLiteral("get-sink-mute"), sink}).trimmed();
    if (out == QLatin1String("Mute: yes"))
        return 1;
    if (out == QLatin1String("Mute: no"))
        return 0;
    return -1;
}

int PulseAudioServer::AddSink(const QString& sink) {
    const QString module = Pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                  QStringLiteral("sink_name=") + sink});
    bool ok = false;
    const int index = module.trimmed().toInt(&ok);
    return ok ? index : -1;
}
