// SPDX-License-Identifier: GPL-3.0-or-later
// Another program's window for the activation tests: a real toolkit client, maximised, that
// tells the window manager of the user's input in it (_NET_WM_USER_TIME) as desktop programs
// do. Prints its window id once shown, then "input" for every key or button press once the
// server holds the user time that press set; ends when its standard input closes.
#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

class PeerWindow : public QWidget {
protected:
    void keyPressEvent(QKeyEvent*) override { report(); }
    void mousePressEvent(QMouseEvent*) override { report(); }

private:
    static void report() {
        // Qt sent the new user time before it delivered the event; a round trip makes sure
        // the server has it before the test goes on.
        xcb_connection_t* c =
            qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        std::puts("input");
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PeerWindow window;
    window.setWindowTitle("Focus peer");
    window.showMaximized();
    std::printf("%llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}
