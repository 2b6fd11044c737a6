// SPDX-License-Identifier: GPL-3.0-or-later
// Memory and time of reading and updating large INI files: 8 and 64 MiB of many short
// sections (as a Settings.ini that others appended to) and of one section of many keys (as
// a long Hotkeys.ini), in UTF-8 and in UTF-16. Each measurement runs in a process of its own
// (this program started again with --measure), so that its peak resident memory is its own.
//
//   build/bin/bench_inifile [DIRECTORY]
#include "core/IniFile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

namespace {

// Resident memory now (VmRSS) or its peak (VmHWM) in KiB, of this process image alone: the
// peak of getrusage() would carry over the parent's from before the exec.
long statusKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field)))
                .trimmed()
                .split(' ')[0]
                .toLong();
    }
    return 0;
}

QByteArray utf16le(const QByteArray& utf8) {
    const QString text = QString::fromUtf8(utf8);
    return QByteArray("\xFF\xFE") +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Lines of shape until the file has size bytes; Settings.ini's sections lead, so that the
// store's keys are found at the front and the rest is what must be kept.
QByteArray makeFile(const QString& shape, qsizetype size) {
    QByteArray text = "[General]\nColor=1\n[HotKeys]\nCount=1\nPath0=calc.exe\n";
    const bool sections = shape.startsWith(QLatin1String("sections"));
    const bool wide = shape.endsWith(QLatin1String("utf16"));
    const qsizetype target = wide ? size / 2 - 1 : size;
    for (int i = 0;; ++i) {
        const QByteArray line = sections ? "[Section" + QByteArray::number(i) + "]\nKey=1\n"
                                         : "Path" + QByteArray::number(i) + "=notepad.exe\n";
        if (text.size() + line.size() > target)
            break;
        text += line;
    }
    return wide ? utf16le(text) : text;
}

// In the measuring process: load and read as the stores do, then update as an exit does.
int measure(const QString& path) {
    const long before = statusKiB("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    {
        const IniFile ini = IniFile::load(path);
        if (ini.readInteger("General", "Color", 0) != 1 ||
            ini.readString("HotKeys", "Path0", {}).isEmpty())
            return 1;
    }
    const qint64 loadNs = timer.nsecsElapsed();
    const long loadPeak = statusKiB("VmHWM:");
    timer.restart();
    const bool saved = IniFile::update(path, [](IniFile& ini) {
        for (int i = 0; i < 18; ++i)
            ini.writeInteger("General", QStringLiteral("Key%1").arg(i), i);
    });
    const qint64 updateNs = timer.nsecsElapsed();
    std::printf("%.1f %ld %.1f %ld\n", static_cast<double>(loadNs) / 1e6, loadPeak - before,
                static_cast<double>(updateNs) / 1e6, statusKiB("VmHWM:") - before);
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--measure")
        return measure(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir temporary;
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    std::printf("| file | size | load and read | peak memory | update (load, 18 writes, save) "
                "| peak memory |\n|---|---|---|---|---|---|\n");
    for (const char* shape : {"sections", "keys", "sections-utf16"}) {
        for (const int mib : {8, 64}) {
            const QString path = dir + QStringLiteral("/bench-%1-%2.ini").arg(shape).arg(mib);
            {
                QFile f(path);
                if (!f.open(QIODevice::WriteOnly) ||
                    f.write(makeFile(shape, qsizetype{mib} << 20)) < 0)
                    return 1;
            }
            const qint64 size = QFile(path).size();
            QProcess child;
            child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--measure"), path});
            child.waitForFinished(-1);
            const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
            QFile::remove(path);
            if (child.exitCode() != 0 || f.size() != 4) {
                std::printf("| %s | %d MiB | failed |\n", shape, mib);
                continue;
            }
            const auto mibOf = [](const QByteArray& kib) { return kib.toDouble() / 1024.0; };
            std::printf("| %s | %.1f MiB | %s ms | %.0f MiB (%.1fx) | %s ms | %.0f MiB (%.1fx) |\n",
                        shape, static_cast<double>(size) / (1 << 20), f[0].constData(), mibOf(f[1]),
                        mibOf(f[1]) * (1 << 20) / static_cast<double>(size), f[2].constData(),
                        mibOf(f[3]), mibOf(f[3]) * (1 << 20) / static_cast<double>(size));
            std::fflush(stdout);
        }
    }
    return 0;
}
