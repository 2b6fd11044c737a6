// SPDX-License-Identifier: GPL-3.0-or-later
// The floor the hotkey benchmark measures Orvane against: the least a Qt Widgets program can
// do for one hotkey. It grabs Ctrl+Alt+K on Qt's own X connection and starts the target with
// posix_spawn; nothing else: no table, no settings, no windows beyond one hidden widget.
//
//   BenchFloor TARGET
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <csignal>
#include <spawn.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

extern char** environ;

namespace {

class Grab : public QAbstractNativeEventFilter {
public:
    explicit Grab(const char* target) : m_target(target) {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        m_conn = x11->connection();
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        xcb_key_symbols_t* syms = xcb_key_symbols_alloc(m_conn);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(syms, 'k');
        m_key = codes ? codes[0] : 0;
        free(codes);
        xcb_key_symbols_free(syms);
        // Under every state of CapsLock and NumLock, as any real hotkey program must.
        const uint16_t mods = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        const uint16_t lockBits = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
        for (uint16_t lock = 0; lock <= lockBits; ++lock) {
            if ((lock & ~lockBits) != 0)
                continue;
            xcb_grab_key(m_conn, 1, root, mods | lock, m_key, XCB_GRAB_MODE_ASYNC,
                         XCB_GRAB_MODE_ASYNC);
        }
        xcb_flush(m_conn);
    }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        if (reinterpret_cast<const xcb_key_press_event_t*>(event)->detail != m_key)
            return false;
        char* argv[] = {const_cast<char*>(m_target), nullptr};
        pid_t pid = 0;
        posix_spawn(&pid, m_target, nullptr, nullptr, argv, environ);
        return true;
    }

private:
    const char* m_target;
    xcb_connection_t* m_conn = nullptr;
    xcb_keycode_t m_key = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    // Started targets are reaped by the system.
    std::signal(SIGCHLD, SIG_IGN);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QWidget window;
    Grab grab(argv[1]);
    app.installNativeEventFilter(&grab);
    return app.exec();
}
