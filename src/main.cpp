#include "CommandLine.h"
#include "HotkeyBackend.h"
#include "SessionEnd.h"
#include "Shell.h"
#include "TForm1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Global hotkeys are X key grabs: under a Wayland session Orvane runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    // Orvane lives on with every window hidden; only Exit ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    TForm1 Form1(CreateHotkeyBackend(), CreateShell());
    const QString commandLine =
        CommandLine::Rebuild(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (!Form1.FormCreate(commandLine))
        return 0;

    const std::unique_ptr<SessionEnd> sessionEnd = CreateSessionEnd();
    QObject::connect(sessionEnd.get(), &SessionEnd::endRequested, &Form1, &TForm1::Exit1Click);

    return app.exec();
}
