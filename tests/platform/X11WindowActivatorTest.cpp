// SPDX-License-Identifier: GPL-3.0-or-later
// Runs on its own Xvfb (tests/support/with-xvfb.sh) with the xcb platform and a window
// manager that prevents focus stealing: another program's window has the focus after real
// input (XTEST), and a window of this process is brought to the front from a grabbed hotkey
// press or, as for a later start of the program, with no event of its own.
#include "platform/x11/X11WindowActivator.h"
#include "WindowManager.h"
#include "core/HotkeyEntry.h"
#include "platform/WindowActivator.h"
#include "platform/qt/QtWindowActivator.h"
#include "platform/x11/X11HotkeyBackend.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <X11/keysym.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

namespace {

constexpr int K = 75;
constexpr int HotkeyId = 1;
constexpr unsigned CtrlAlt = Modifiers::Ctrl | Modifiers::Alt;

// The test's own connection, apart from Qt's: what the server and the window manager say,
// and the user's input through XTEST.
class Desktop {
public:
    Desktop() : c(xcb_connect(nullptr, nullptr)) {
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }
    ~Desktop() { xcb_disconnect(c); }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    }
    std::vector<uint32_t> property(xcb_window_t w, const char* name) {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
        std::vector<uint32_t> values;
        if (r && r->format == 32) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
            values.assign(v, v + xcb_get_property_value_length(r) / 4);
        }
        free(r);
        return values;
    }
    uint32_t first(xcb_window_t w, const char* name) {
        const std::vector<uint32_t> v = property(w, name);
        return v.empty() ? 0 : v[0];
    }
    xcb_window_t activeWindow() { return first(root, "_NET_ACTIVE_WINDOW"); }
    xcb_window_t inputFocus() {
        xcb_get_input_focus_reply_t* r =
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        const xcb_window_t w = r ? r->focus : 0;
        free(r);
        return w;
    }
    bool demandsAttention(xcb_window_t w) {
        const std::vector<uint32_t> states = property(w, "_NET_WM_STATE");
        return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_DEMANDS_ATTENTION")) !=
               states.end();
    }
    // The user time the window manager reads for w.
    uint32_t userTime(xcb_window_t w) {
        const xcb_window_t holder = first(w, "_NET_WM_USER_TIME_WINDOW");
        return first(holder ? holder : w, "_NET_WM_USER_TIME");
    }

    xcb_keycode_t keycode(xcb_keysym_t sym) {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, sym);
        const xcb_keycode_t code = codes ? codes[0] : 0;
        free(codes);
        xcb_key_symbols_free(symbols);
        return code;
    }
    // Presses and releases the keys in order, as one chord.
    void press(std::initializer_list<xcb_keysym_t> syms) {
        std::vector<xcb_keycode_t> keys;
        for (const xcb_keysym_t sym : syms)
            keys.push_back(keycode(sym));
        for (const xcb_keycode_t k : keys)
            xcb_test_fake_input(c, XCB_KEY_PRESS, k, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto k = keys.rbegin(); k != keys.rend(); ++k)
            xcb_test_fake_input(c, XCB_KEY_RELEASE, *k, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }
    void click(int16_t x, int16_t y) {
        xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, x, y, 0);
        xcb_test_fake_input(c, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(c, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }
    void sync() { free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    xcb_connection_t* c;
    xcb_window_t root = 0;
};

// A window of this process that notes the keys Qt delivers to it.
class KeyWindow : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.append(e->key()); }
};

// X times wrap around; a is later than b when it is less than half the clock ahead.
bool later(uint32_t a, uint32_t b) {
    return a != b && uint32_t(a - b) < 0x80000000u;
}

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 20000);
}

// Another program's maximised window (FocusPeer), for as long as the object lives.
class Peer {
public:
    Peer() {
        m_process.start(qEnvironmentVariable("ORVANE_FOCUS_PEER"), QStringList{});
        if (readLine())
            window = m_line.toUInt();
    }
    ~Peer() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    // Waits until the peer has taken a key or button press and the server holds the user
    // time it set.
    bool tookInput() { return readLine() && m_line == "input"; }

    xcb_window_t window = 0;

private:
    bool readLine() {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(20000))
                return false;
        }
        m_line = m_process.readLine().trimmed();
        return true;
    }

    QProcess m_process;
    QByteArray m_line;
};

enum class Start { Behind, Hidden, Minimised };
enum class Trigger { HotkeyPress, LaterStart };
struct Row {
    const char* name;
    Start start;
    Trigger trigger;
    // Whether the window manager refuses Qt's own activation here. A hidden or minimised
    // window may get the focus from Qt too: Qt asks only once the window is mapped again,
    // and by then the manager's changes on the root window may have told Qt a fresh time.
    bool refusesQtAlone;
};

class WindowActivation : public ::testing::TestWithParam<Row> {
public:
    static void SetUpTestSuite() {
        s_manager = new WindowManager;
        s_managerReady = s_manager->start();
    }
    static void TearDownTestSuite() {
        delete s_manager;
        s_manager = nullptr;
    }

protected:
    void SetUp() override {
        ASSERT_TRUE(s_managerReady);
        ASSERT_EQ(backend->registerHotKey(HotkeyId, CtrlAlt, K), RegisterResult::Registered);
        target.setWindowTitle("Activation target");
        target.setGeometry(200, 200, 320, 240);
        target.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
        id = xcb_window_t(target.winId());
        ASSERT_NE(peer.window, 0u);
        ASSERT_TRUE(waitFor([&] { return mapped(peer.window); }));
    }

    bool mapped(xcb_window_t window) {
        xcb_get_window_attributes_reply_t* r = xcb_get_window_attributes_reply(
            desktop.c, xcb_get_window_attributes(desktop.c, window), nullptr);
        const bool viewable = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
        free(r);
        return viewable;
    }

    void enterStartState() {
        switch (GetParam().start) {
        case Start::Behind: break;
        case Start::Hidden:
            target.hide();
            ASSERT_TRUE(waitFor([&] { return !mapped(id); }));
            break;
        case Start::Minimised:
            target.showMinimized();
            // ICCCM's IconicState, set by the window manager once it has minimised it.
            ASSERT_TRUE(waitFor([&] { return desktop.first(id, "WM_STATE") == 3; }));
            break;
        }
        // Qt takes a focus loss for real only when no focus comes back within a moment; a
        // window shown again before that would never be told it is active.
        if (GetParam().start != Start::Behind) {
            ASSERT_TRUE(waitFor([] { return QGuiApplication::focusWindow() == nullptr; }));
        }
    }

    // The other program's window takes the focus by a click and the user types in it: the
    // window manager then knows of input newer than any event this process has seen.
    void userWorksInPeer() {
        desktop.click(1000, 800); // in the maximised peer, away from the target
        ASSERT_TRUE(peer.tookInput());
        ASSERT_TRUE(waitFor([&] { return desktop.activeWindow() == peer.window; }));
        desktop.press({XK_a});
        ASSERT_TRUE(peer.tookInput());
        peerInput = desktop.userTime(peer.window);
    }

    // Asks activator to bring the target forward as the row does: from a grabbed hotkey
    // press with its time, or, like a later start of the program, with no event of its own.
    void trigger(WindowActivator& activator) {
        if (GetParam().trigger == Trigger::LaterStart) {
            activator.Activate(&target, 0);
            return;
        }
        bool pressed = false;
        const QMetaObject::Connection connection =
            QObject::connect(backend.get(), &HotkeyBackend::hotkeyPressed, &target, [&] {
                pressTime = backend->lastPressTime();
                activator.Activate(&target, pressTime);
                pressed = true;
            });
        desktop.press({XK_Control_L, XK_Alt_L, XK_k});
        EXPECT_TRUE(waitFor([&] { return pressed; }));
        QObject::disconnect(connection);
    }

    static inline WindowManager* s_manager = nullptr;
    static inline bool s_managerReady = false;

    Desktop desktop;
    std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    KeyWindow target;
    xcb_window_t id = 0;
    Peer peer;
    uint32_t peerInput = 0;
    quint32 pressTime = 0;
};

TEST_P(WindowActivation, TheWindowComesToTheFrontWithTheKeyboardFocus) {
    if (GetParam().refusesQtAlone) {
        // The precondition: under these conditions Qt's own activation is refused.
        enterStartState();
        userWorksInPeer();
        QtWindowActivator qtAlone;
        trigger(qtAlone);
        ASSERT_TRUE(waitFor([&] { return desktop.demandsAttention(id); }));
        ASSERT_EQ(desktop.activeWindow(), peer.window);
        ASSERT_NE(desktop.inputFocus(), id);
    }

    enterStartState();
    userWorksInPeer();
    X11WindowActivator activator;
    trigger(activator);
    if (GetParam().trigger == Trigger::HotkeyPress) {
        EXPECT_FALSE(later(peerInput, pressTime)) << pressTime << " " << peerInput;
    }
    EXPECT_TRUE(waitFor([&] { return desktop.activeWindow() == id; }));
    EXPECT_TRUE(waitFor([&] { return desktop.inputFocus() == id; }));
    // The manager reads the user's time, not Qt's, for the window (through Qt's user time
    // window where it has one).
    if (GetParam().trigger == Trigger::HotkeyPress) {
        EXPECT_EQ(desktop.userTime(id), pressTime);
    } else {
        EXPECT_FALSE(later(peerInput, desktop.userTime(id)));
    }
    // Holding the focus means the user's next key goes to the window.
    desktop.press({XK_b});
    EXPECT_TRUE(waitFor([&] { return target.keys.contains(Qt::Key_B); }));
    EXPECT_TRUE(target.isVisible());
    EXPECT_FALSE(target.isMinimized());
    EXPECT_FALSE(desktop.demandsAttention(id));
}

const Row Rows[] = {
    {"BehindAnotherProgramByHotkey", Start::Behind, Trigger::HotkeyPress, true},
    {"BehindAnotherProgramByLaterStart", Start::Behind, Trigger::LaterStart, true},
    {"MinimisedByHotkey", Start::Minimised, Trigger::HotkeyPress, false},
    {"MinimisedByLaterStart", Start::Minimised, Trigger::LaterStart, false},
    {"HiddenByHotkey", Start::Hidden, Trigger::HotkeyPress, false},
    {"HiddenByLaterStart", Start::Hidden, Trigger::LaterStart, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, WindowActivation, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return std::string(info.param.name); });

// Without a window manager nobody answers the EWMH request: the focus is set directly. One
// that ended cleanly has taken its properties with it; one that crashed left them behind.
TEST(WindowActivationWithoutManager, TheFocusIsSetDirectly) {
    Desktop desktop;
    const xcb_window_t check = desktop.first(desktop.root, "_NET_SUPPORTING_WM_CHECK");
    ASSERT_TRUE(check == 0 || desktop.first(check, "_NET_SUPPORTING_WM_CHECK") != check);

    for (const bool crashedManagerLeftovers : {false, true}) {
        SCOPED_TRACE(crashedManagerLeftovers ? "after a crashed manager" : "never a manager");
        if (crashedManagerLeftovers) {
            // What a crashed manager leaves: its check window is gone, its claims are not.
            const xcb_window_t gone = xcb_generate_id(desktop.c);
            const xcb_atom_t active = desktop.atom("_NET_ACTIVE_WINDOW");
            xcb_change_property(desktop.c, XCB_PROP_MODE_REPLACE, desktop.root,
                                desktop.atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 32, 1,
                                &gone);
            xcb_change_property(desktop.c, XCB_PROP_MODE_REPLACE, desktop.root,
                                desktop.atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 32, 1, &active);
            desktop.sync();
        }
        KeyWindow target;
        target.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
        const auto id = xcb_window_t(target.winId());
        // Another client's window holds the focus.
        const xcb_window_t other = xcb_generate_id(desktop.c);
        xcb_create_window(desktop.c, XCB_COPY_FROM_PARENT, other, desktop.root, 600, 600, 100, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(desktop.c, other);
        xcb_set_input_focus(desktop.c, XCB_INPUT_FOCUS_PARENT, other, XCB_CURRENT_TIME);
        desktop.sync();
        ASSERT_EQ(desktop.inputFocus(), other);

        X11WindowActivator activator;
        activator.Activate(&target, 0);
        EXPECT_TRUE(waitFor([&] { return desktop.inputFocus() == id; }));
        desktop.press({XK_b});
        EXPECT_TRUE(waitFor([&] { return target.keys.contains(Qt::Key_B); }));
        xcb_destroy_window(desktop.c, other);
    }
    xcb_delete_property(desktop.c, desktop.root, desktop.atom("_NET_SUPPORTING_WM_CHECK"));
    xcb_delete_property(desktop.c, desktop.root, desktop.atom("_NET_SUPPORTED"));
    desktop.sync();
}

// Presses are handed on after the X event that brought them; each handler must see the time
// of its own press, not that of a later one already taken from the server.
TEST(HotkeyPressTime, EachPressIsHandedOnWithItsOwnTime) {
    const std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    ASSERT_EQ(backend->registerHotKey(HotkeyId, CtrlAlt, K), RegisterResult::Registered);
    EXPECT_EQ(backend->lastPressTime(), 0u);
    Desktop desktop;
    xcb_key_press_event_t event{};
    event.response_type = XCB_KEY_PRESS;
    event.detail = desktop.keycode(XK_k);
    event.root = event.event = desktop.root;
    event.state = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    QList<quint32> seen;
    QObject::connect(backend.get(), &HotkeyBackend::hotkeyPressed, backend.get(),
                     [&] { seen.append(backend->lastPressTime()); });
    qintptr result = 0;
    // Both arrive, as Qt's X event processing hands them to the filters, before either is
    // handed on.
    for (const quint32 time : {1000u, 2000u}) {
        event.time = time;
        ASSERT_TRUE(QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t",
                                                                            &event, &result));
    }
    ASSERT_TRUE(waitFor([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (QList<quint32>{1000u, 2000u}));
}

} // namespace
