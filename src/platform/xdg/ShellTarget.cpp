// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/ShellTarget.h"

#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace ShellTarget {

QString Translate(const QString& target) {
    static const QRegularExpression mailto(QStringLiteral("^mailto:[ \\t]+"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    QString t = target;
    if (t.contains(mailto))
        return QStringLiteral("mailto:") + t.remove(mailto);
    if (t.startsWith(QLatin1String("\\\\")))
        return QStringLiteral("smb://") + t.mid(2).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (t.contains(drive))
        return QLatin1Char('/') + t.mid(3).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return t;
}

QStringList EquivalentsOf(const QString& windowsProgram) {
    static const QHash<QString, QStringList> table{
        {QStringLiteral("calc.exe"),
         {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"}},
        {QStringLiteral("cmd.exe"),
         {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "mate-terminal",
          "lxterminal", "xterm"}},
        {QStringLiteral("notepad.exe"),
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed", "leafpad",
          "featherpad", "xedit"}},
        {QStringLiteral("write.exe"),
         {"lowriter", "abiword", "calligrawords", "gnome-text-editor", "gedit", "kwrite",
          "mousepad", "xedit"}},
        {QStringLiteral("regedit.exe"), {"dconf-editor", "gconf-editor"}},
        {QStringLiteral("msconfig.exe"),
         {"gnome-control-center", "systemsettings", "xfce4-settings-manager", "mate-control-center",
          "lxqt-config"}},
        {QStringLiteral("services.msc"),
         {"gnome-system-monitor", "plasma-systemmonitor", "ksysguard", "xfce4-taskmanager",
          "mate-system-monitor", "lxtask"}},
        {QStringLiteral("dxdiag.exe"),
         {"hardinfo", "hardinfo2", "kinfocenter", "gnome-system-monitor", "mate-system-monitor"}},
        {QStringLiteral("sol.exe"), {"sol", "kpat", "pysolfc", "xpat2"}},
        {QStringLiteral("winmine.exe"), {"gnome-mines", "kmines", "xdemineur"}},
    };
    return table.value(windowsProgram.toLower());
}

QStringList DesktopIdsOf(const QString& windowsProgram) {
    static const QHash<QString, QStringList> table{
        {QStringLiteral("calc.exe"),
         {"org.gnome.Calculator.desktop", "org.kde.kcalc.desktop", "mate-calc.desktop",
          "galculator.desktop", "qalculate-gtk.desktop"}},
        {QStringLiteral("cmd.exe"),
         {"org.gnome.Terminal.desktop", "org.gnome.Console.desktop", "org.kde.konsole.desktop",
          "xfce4-terminal.desktop", "mate-terminal.desktop", "lxterminal.desktop"}},
        {QStringLiteral("notepad.exe"),
         {"org.gnome.TextEditor.desktop", "org.gnome.gedit.desktop", "org.kde.kate.desktop",
          "org.kde.kwrite.desktop", "org.xfce.mousepad.desktop", "pluma.desktop"}},
        {QStringLiteral("write.exe"), {"libreoffice-writer.desktop", "abiword.desktop"}},
        {QStringLiteral("regedit.exe"), {"ca.desrt.dconf-editor.desktop"}},
        {QStringLiteral("msconfig.exe"),
         {"org.gnome.Settings.desktop", "systemsettings.desktop", "xfce-settings-manager.desktop"}},
        {QStringLiteral("services.msc"),
         {"org.gnome.SystemMonitor.desktop", "gnome-system-monitor.desktop",
          "org.kde.plasma-systemmonitor.desktop", "xfce4-taskmanager.desktop"}},
        {QStringLiteral("dxdiag.exe"), {"org.kde.kinfocenter.desktop", "hardinfo.desktop"}},
        {QStringLiteral("sol.exe"), {"sol.desktop", "org.kde.kpat.desktop"}},
        {QStringLiteral("winmine.exe"), {"org.gnome.Mines.desktop", "org.kde.kmines.desktop"}},
    };
    return table.value(windowsProgram.toLower());
}

QString FindOnPath(const QString& name, const QStringList& searchPath) {
    for (const QString& dir : searchPath) {
        // An empty or relative entry would bring the working directory back in.
        if (!QDir::isAbsolutePath(dir))
            continue;
        const QFileInfo fi(dir + QLatin1Char('/') + name);
        if (fi.isFile() && fi.isExecutable())
            return fi.absoluteFilePath();
    }
    return {};
}

bool IsProgram(const QString& path) {
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isExecutable())
        return false;
    // Non-blocking, so that a file swapped for a FIFO cannot hold the caller up.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno == EACCES; // execute-only: only the system can tell, so let it try
    static constexpr char elf[4] = {'\x7f', 'E', 'L', 'F'};
    char head[4] = {};
    const ssize_t n = ::read(fd, head, sizeof head);
    ::close(fd);
    const bool interpreter = n >= 2 && head[0] == '#' && head[1] == '!';
    return interpreter || (n == 4 && std::memcmp(head, elf, 4) == 0);
}

namespace {

bool looksLikeUrl(const QString& t) {
    // A scheme of two letters or more, so that a drive letter is not one.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return t.contains(scheme);
}

ShellPlan fail(int code) {
    return {ShellPlan::Kind::Fail, {}, code, {}};
}

ShellPlan planForExisting(const QFileInfo& fi) {
    const ShellPlan::Kind kind =
        IsProgram(fi.absoluteFilePath()) ? ShellPlan::Kind::Run : ShellPlan::Kind::Open;
    return {kind, fi.absoluteFilePath(), 0, {}};
}

} // namespace

std::optional<QStringList> SplitCommandLine(const QString& text) {
    static const QString quotable = QStringLiteral("\"`$\\");
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\')) {
            if (i + 1 == text.size())
                return std::nullopt;
            const QChar next = text[i + 1];
            if (quoted && !quotable.contains(next)) {
                word += c;
            } else {
                word += next;
                ++i;
            }
            inWord = true;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inWord)
                words << std::exchange(word, {});
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inWord)
        words << word;
    return words;
}

namespace {

bool namesDesktopEntry(const QString& t) {
    return t.size() > 8 && t.endsWith(QLatin1String(".desktop"));
}

ShellPlan launch(const QString& entry) {
    return {ShellPlan::Kind::Launch, entry, 0, {}};
}

// The target as one file, folder, desktop entry or program name.
ShellPlan planWhole(const QString& t, const QStringList& searchPath,
                    const InstalledEntry& installed) {
    if (t.contains(QLatin1Char('/'))) {
        const QFileInfo fi(t);
        if (fi.isFile() && namesDesktopEntry(t))
            return launch(fi.absoluteFilePath());
        if (fi.exists())
            return planForExisting(fi);
        return fail(fi.absoluteDir().exists() ? ShellResult::FileNotFound
                                              : ShellResult::PathNotFound);
    }
    // A bare name is looked up on PATH only, never in the working directory.
    if (const QString found = FindOnPath(t, searchPath); !found.isEmpty())
        return planForExisting(QFileInfo(found));
    if (namesDesktopEntry(t))
        return launch(t);
    for (const QString& id : DesktopIdsOf(t)) {
        if (installed && installed(id))
            return launch(id);
    }
    for (const QString& program : EquivalentsOf(t)) {
        if (const QString found = FindOnPath(program, searchPath); !found.isEmpty())
            return planForExisting(QFileInfo(found));
    }
    return fail(ShellResult::FileNotFound);
}

// A program and its arguments. Only a program runs here: a document followed by words is
// not a command line, and the whole target's failure stands.
ShellPlan planCommandLine(const QStringList& words, const QStringList& searchPath,
                          const ShellPlan& whole) {
    const QString& program = words.first();
    // As a desktop entry's Exec line: a path to the program must be complete.
    if (program.contains(QLatin1Char('/')) && !QDir::isAbsolutePath(program))
        return fail(ShellResult::FileNotFound);
    // Arguments go to a program: a Windows name stands for a program here, never an entry.
    ShellPlan plan = planWhole(program, searchPath, {});
    if (plan.kind == ShellPlan::Kind::Open || plan.kind == ShellPlan::Kind::Launch)
        return whole;
    if (plan.kind == ShellPlan::Kind::Run)
        plan.options = words.mid(1);
    return plan;
}

} // namespace

ShellPlan Plan(const QString& target, const QStringList& searchPath,
               const InstalledEntry& installed) {
    const QString t = Translate(target);
    if (t.isEmpty())
        return fail(ShellResult::FileNotFound);
    if (looksLikeUrl(t))
        return {ShellPlan::Kind::Open, t, 0, {}};
    ShellPlan whole = planWhole(t, searchPath, installed);
    // Windows forms keep their meaning; they are never split.
    if (whole.kind != ShellPlan::Kind::Fail || t != target)
        return whole;
    const std::optional<QStringList> words = SplitCommandLine(t);
    if (!words || words->isEmpty() || *words == QStringList{t})
        return whole;
    return planCommandLine(*words, searchPath, whole);
}

} // namespace ShellTarget
