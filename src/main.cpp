// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildInfo.h"
#include "app/Program.h"
#include "core/CommandLine.h"
#include "core/ControlRequest.h"
#include "core/SingleInstance.h"
#include "core/StartupMarks.h"
#include "platform/Platform.h"

#include <QApplication>
#include <cstdio>

namespace {

// One line for the terminal; the status says the rest.
int Refused(const QString& why, int status) {
    std::fprintf(stderr, "orvane: %s\n", qPrintable(why));
    return status;
}

// `--run ID` and the other requests go to the running Orvane; this process never opens a
// window nor becomes the running one. 0: done; 1: refused or nobody runs; 2: wrong use.
int AskRunningInstance(int argc, char* argv[], const ControlRequest::Parsed& parsed) {
    if (!parsed.request)
        return Refused(parsed.error, 2);
    // Sockets want an application object; this one needs no display.
    QCoreApplication app(argc, argv);
    const RuntimePlace place = PrivateRuntimeDirectory();
    if (place.directory.isEmpty())
        return Refused(place.problem, 1);
    SingleInstance instance(Lifecycle::InstanceName(), place.directory);
    const std::optional<QString> error = instance.ask(*parsed.request);
    if (!error)
        return Refused(QStringLiteral("Orvane is not running"), 1);
    return error->isEmpty() ? 0 : Refused(*error, 1);
}

} // namespace

int main(int argc, char* argv[]) {
    StartupMarks::Mark("main");
    // --help and --version answer before anything else: no display, no instance, no file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto text = CommandLine::InformationText(arguments, QStringLiteral(ORVANE_VERSION))) {
        const QByteArray bytes = text->toLocal8Bit();
        const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), stdout) ==
                                 static_cast<size_t>(bytes.size()) &&
                             std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }
    if (const auto parsed = ControlRequest::FromArguments(arguments);
        parsed.request || !parsed.error.isEmpty())
        return AskRunningInstance(argc, argv, parsed);

    // Orvane's windows need X (positions, stay-on-top, outlines): under a Wayland session they
    // run through XWayland, while the hotkeys go to the desktop's shortcut service.
    // The choice is Orvane's alone: the programs it starts get the environment unchanged.
    const bool forceXcb =
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY");
    if (forceXcb)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    StartupMarks::Mark("QApplication made (display connected)");
    if (forceXcb)
        qunsetenv("QT_QPA_PLATFORM");
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    // The desktop keeps Orvane's global shortcuts under this id (its desktop file's name).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.Orvane"));
    // Orvane lives on with every window hidden; only Exit ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(CreatePlatform());
    StartupMarks::Mark("platform and program made");
    const QString commandLine =
        CommandLine::Rebuild(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    // A created program also follows the session's end from here on.
    switch (program.FormCreate(commandLine, PrivateRuntimeDirectory())) {
    case Lifecycle::CreateOutcome::Created: break;
    case Lifecycle::CreateOutcome::HandedToFirst: return 0;
    case Lifecycle::CreateOutcome::Failed: return 1;
    }
    StartupMarks::Mark("single instance claimed");

    // The start-up sequence waits for the event loop's first turn. Taking that turn here,
    // before exec() sets up accessibility (a session-bus connection), lets the hotkeys work
    // a few milliseconds sooner; exec() runs whatever this turn did not.
    QCoreApplication::processEvents();
    // An end signal may have run the Exit command in that turn; quit() does nothing before
    // exec(), so the end happens here or the program would run on and ignore later signals.
    if (program.exitFlag())
        return 0;
    return app.exec();
}
