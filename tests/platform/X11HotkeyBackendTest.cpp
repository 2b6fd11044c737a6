// Runs on its own Xvfb (tests/support/with-xvfb.sh) with the xcb platform: real grabs, a
// real second client (XClientHelper) and real key presses (xdotool).
#include "X11HotkeyBackend.h"
#include "HotkeyEntry.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <X11/keysym.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr int K = 75;
constexpr unsigned CtrlAlt = Modifiers::Ctrl | Modifiers::Alt;
constexpr const char* KeysymK = "0x6b";
constexpr int XControl = 4, XMod1 = 8, XMod2 = 16;

// Another X client holding a combination for as long as it lives.
class OtherClient {
public:
    bool grab(const QString& how, int modMask) {
        m_p.start(qEnvironmentVariable("ORVANE_XHELPER"), {how, KeysymK, QString::number(modMask)});
        return m_p.waitForReadyRead(10000) && m_p.readLine() == "ready\n";
    }
    ~OtherClient() {
        m_p.closeWriteChannel();
        if (!m_p.waitForFinished(5000))
            m_p.kill();
    }

private:
    QProcess m_p;
};

void press(const QString& combo) {
    ASSERT_EQ(QProcess::execute("xdotool", {"key", combo}), 0);
}

// A window of this process that notes the keys Qt delivers to it.
class KeyWindow : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override { keys.append(e->key()); }
};

struct X11Fixture : ::testing::Test {
    std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
};

} // namespace

TEST_F(X11Fixture, ACombinationAnotherClientHoldsIsRefused) {
    {
        OtherClient other;
        ASSERT_TRUE(other.grab("grab", XControl | XMod1));
        EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, K), RegisterResult::HeldByOtherProgram);
    }
    EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, K), RegisterResult::Registered);
}

TEST_F(X11Fixture, ACombinationThisProcessHoldsUnderAnotherIdIsRefused) {
    EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, K), RegisterResult::Registered);
    EXPECT_EQ(backend->registerHotKey(2, CtrlAlt, K), RegisterResult::HeldByThisProgram);
    // Other modifiers: another hotkey.
    EXPECT_EQ(backend->registerHotKey(3, Modifiers::Ctrl, K), RegisterResult::Registered);
    backend->unregisterHotKey(1);
    EXPECT_EQ(backend->registerHotKey(2, CtrlAlt, K), RegisterResult::Registered);
}

TEST_F(X11Fixture, APartlyRefusedGrabIsRolledBack) {
    // The other client holds only the NumLock state: ours fails there and must give back
    // the states it did get, so that the other client can take them.
    OtherClient numLockOnly;
    ASSERT_TRUE(numLockOnly.grab("grab-exact", XControl | XMod1 | XMod2));
    EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, K), RegisterResult::HeldByOtherProgram);
    OtherClient plain;
    EXPECT_TRUE(plain.grab("grab-exact", XControl | XMod1));
}

TEST_F(X11Fixture, ReleasingGivesTheCombinationBack) {
    ASSERT_EQ(backend->registerHotKey(1, CtrlAlt, K), RegisterResult::Registered);
    backend->unregisterHotKey(1);
    backend->unregisterHotKey(1); // releasing what is not held does nothing
    OtherClient other;
    EXPECT_TRUE(other.grab("grab", XControl | XMod1));
}

TEST_F(X11Fixture, PressesArriveWithTheirIdWhateverTheLockState) {
    ASSERT_EQ(backend->registerHotKey(7, CtrlAlt, K), RegisterResult::Registered);
    ASSERT_EQ(backend->registerHotKey(8, 0, 116), RegisterResult::Registered); // F5 alone
    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
    for (const char* lock : {"", "Num_Lock", "Caps_Lock", "Num_Lock", "Caps_Lock"}) {
        if (*lock)
            press(lock);
        spy.clear();
        press("ctrl+alt+k");
        ASSERT_TRUE(spy.count() > 0 || spy.wait(5000)) << lock;
        EXPECT_EQ(spy.at(0).at(0).toInt(), 7);
        EXPECT_FALSE(spy.at(0).at(1).toBool());
    }
    spy.clear();
    press("ctrl+F5"); // not the bare key's combination
    press("F5");
    ASSERT_TRUE(spy.wait(5000));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 8);
}

TEST_F(X11Fixture, AHeldKeyRepeatsAsRepeatsOnly) {
    ASSERT_EQ(backend->registerHotKey(7, CtrlAlt, K), RegisterResult::Registered);
    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
    ASSERT_EQ(QProcess::execute("xdotool", {"keydown", "ctrl+alt+k"}), 0);
    // The server repeats a held key after its delay; wait for the first repeat.
    const bool repeated = QTest::qWaitFor([&] { return spy.count() >= 2; }, 10000);
    ASSERT_EQ(QProcess::execute("xdotool", {"keyup", "ctrl+alt+k"}), 0);
    ASSERT_TRUE(repeated);
    EXPECT_FALSE(spy.at(0).at(1).toBool());
    for (int i = 1; i < spy.count(); ++i)
        EXPECT_TRUE(spy.at(i).at(1).toBool()) << i;
    spy.clear();
    press("ctrl+alt+k");
    ASSERT_TRUE(spy.count() > 0 || spy.wait(5000));
    EXPECT_FALSE(spy.at(0).at(1).toBool());
}

TEST_F(X11Fixture, APressIsHandedOnOnlyAfterQtIsDoneWithItsXEvents) {
    // Qt delivers what it made of its X events (keys to this process's windows, exposures)
    // only once no more X events wait: an action run inside one, as a volume change waiting
    // for the sound server, would hold them all back for as long as presses keep coming.
    ASSERT_EQ(backend->registerHotKey(7, CtrlAlt, K), RegisterResult::Registered);
    xcb_connection_t* conn =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(conn);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, XK_k);
    const xcb_keycode_t keycode = codes ? codes[0] : 0;
    free(codes);
    xcb_key_symbols_free(symbols);
    ASSERT_NE(keycode, 0);
    xcb_key_press_event_t event{};
    event.response_type = XCB_KEY_PRESS;
    event.detail = keycode;
    event.time = 1;
    event.root = event.event = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
    event.state = XControl | XMod1;

    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
    qintptr result = 0;
    // As Qt's X event processing hands every event to the filters.
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t",
                                                                        &event, &result));
    EXPECT_EQ(spy.count(), 0);
    ASSERT_TRUE(spy.count() > 0 || spy.wait(5000));
    EXPECT_EQ(spy.at(0).at(0).toInt(), 7);
}

TEST_F(X11Fixture, KeysAWindowGotBeforeAPressAreDeliveredBeforeThePressIsHandled) {
    // Ctrl and Alt of the combination go to the window with the keyboard focus, as they do
    // to the volume window under the pointer.
    ASSERT_EQ(backend->registerHotKey(7, CtrlAlt, K), RegisterResult::Registered);
    KeyWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QList<int> keysAtPress;
    QObject::connect(backend.get(), &HotkeyBackend::hotkeyPressed, &window,
                     [&] { keysAtPress = window.keys; });
    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
    press("ctrl+alt+k");
    ASSERT_TRUE(spy.count() > 0 || spy.wait(5000));
    EXPECT_TRUE(keysAtPress.contains(Qt::Key_Control)) << keysAtPress.size();
}
