// SPDX-License-Identifier: GPL-3.0-or-later
// Runs on its own Xvfb (tests/support/with-xvfb.sh) with the xcb platform: real grabs, a
// real second client (XClientHelper) and real key presses (xdotool).
#include "platform/x11/X11HotkeyBackend.h"
#include "core/HotkeyEntry.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>
// xkb.h names a struct member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

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

// A connection of the test's own, apart from Qt's: a second client on the same server.
class Client {
public:
    Client() : c(xcb_connect(nullptr, nullptr)) {
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }
    ~Client() { xcb_disconnect(c); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    // Waits until the server has handled every request sent so far.
    void sync() { free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    xcb_connection_t* c;
    xcb_window_t root = 0;
};

// Keycodes of the evdev keymap Xvfb uses; each test checks what its layout puts there.
constexpr xcb_keycode_t AE08 = 17, AD11 = 34, AC10 = 47, AB03 = 54, AB07 = 58, AC06 = 43;
constexpr uint16_t CtrlAltMask = XControl | XMod1;

bool setLayout(const QStringList& args) {
    return QProcess::execute("setxkbmap", args) == 0;
}

// Whether the core keyboard map holds sym on keycode (any column), or on any key for 0.
bool mapHolds(xcb_keysym_t sym, xcb_keycode_t keycode = 0) {
    Client x;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x.c);
    bool found = false;
    if (keycode == 0) {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, sym);
        found = codes && codes[0] != XCB_NO_SYMBOL;
        free(codes);
    } else {
        for (int col = 0; col < 8 && !found; ++col)
            found = xcb_key_symbols_get_keysym(symbols, keycode, col) == sym;
    }
    xcb_key_symbols_free(symbols);
    return found;
}

// Locks the keyboard's layout group; answers the group the server then reports.
int lockGroup(int group) {
    Client x;
    free(xcb_xkb_use_extension_reply(x.c, xcb_xkb_use_extension(x.c, 1, 0), nullptr));
    xcb_xkb_latch_lock_state(x.c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, uint8_t(group), 0, 0, 0);
    auto* state =
        xcb_xkb_get_state_reply(x.c, xcb_xkb_get_state(x.c, XCB_XKB_ID_USE_CORE_KBD), nullptr);
    const int locked = state ? state->lockedGroup : -1;
    free(state);
    return locked;
}

// Whether another client could take Ctrl+Alt on keycode now, i.e. nobody holds it.
bool otherClientCanGrab(xcb_keycode_t keycode) {
    Client x;
    xcb_generic_error_t* err =
        xcb_request_check(x.c, xcb_grab_key_checked(x.c, 1, x.root, CtrlAltMask, keycode,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool granted = !err;
    free(err);
    // Given back before the answer, so that the probe never stands in the way of a grab.
    xcb_ungrab_key(x.c, keycode, x.root, CtrlAltMask);
    x.sync();
    return granted;
}

// Presses Ctrl+Alt and the key at keycode, whatever symbol the layout gives it.
void pressCtrlAlt(xcb_keycode_t keycode) {
    Client x;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x.c);
    std::vector<xcb_keycode_t> keys;
    for (const xcb_keysym_t sym : {XK_Control_L, XK_Alt_L}) {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, sym);
        keys.push_back(codes ? codes[0] : 0);
        free(codes);
    }
    xcb_key_symbols_free(symbols);
    keys.push_back(keycode);
    for (const xcb_keycode_t k : keys)
        xcb_test_fake_input(x.c, XCB_KEY_PRESS, k, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    for (auto k = keys.rbegin(); k != keys.rend(); ++k)
        xcb_test_fake_input(x.c, XCB_KEY_RELEASE, *k, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    x.sync();
}

// The ids that Ctrl+Alt presses of keycodes fired, in order. A press of Ctrl+Alt+Home, held
// under EndMark, follows them: once it has arrived, so has anything they fired. (Not an F
// key: the server keeps Ctrl+Alt+F5 to itself as a switch to another virtual terminal.)
constexpr xcb_keycode_t HOME = 110;
constexpr int EndMark = 99;
QList<int> idsFiredBy(QSignalSpy& spy, std::initializer_list<xcb_keycode_t> keycodes) {
    spy.clear();
    for (const xcb_keycode_t k : keycodes)
        pressCtrlAlt(k);
    pressCtrlAlt(HOME);
    if (!QTest::qWaitFor([&] { return !spy.isEmpty() && spy.last().at(0).toInt() == EndMark; },
                         5000))
        return {-1};
    QList<int> ids;
    for (const QList<QVariant>& s : spy)
        ids.append(s.at(0).toInt());
    ids.removeLast();
    return ids;
}

// Tests that change the keyboard layout; the backend is made once the layout is in place.
struct X11LayoutFixture : ::testing::Test {
    void TearDown() override {
        backend.reset();
        lockGroup(0);
        setLayout({"-layout", "us"});
    }
    std::unique_ptr<HotkeyBackend> backend;
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

TEST_F(X11LayoutFixture, AKeyOnlyBehindAltGrIsNotTakenForItsSymbol) {
    ASSERT_TRUE(setLayout({"-layout", "de"}));
    // The German 8 key holds "[" behind AltGr: "[ {" is the key at its US place (the German
    // U umlaut), and 8 is free for "8".
    ASSERT_TRUE(mapHolds(XK_8, AE08));
    ASSERT_TRUE(mapHolds(XK_bracketleft, AE08));
    ASSERT_TRUE(mapHolds(XK_udiaeresis, AD11));
    backend = CreateHotkeyBackend();
    EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, 219), RegisterResult::Registered);
    EXPECT_EQ(backend->registerHotKey(2, CtrlAlt, '8'), RegisterResult::Registered);
    EXPECT_FALSE(otherClientCanGrab(AD11));
}

TEST_F(X11LayoutFixture, OnlyTheActiveGroupsKeysAreTaken) {
    ASSERT_TRUE(setLayout({"-layout", "us,fr"}));
    // The French group has M where the US one has ";".
    ASSERT_TRUE(mapHolds(XK_semicolon, AC10));
    ASSERT_TRUE(mapHolds(XK_m, AC10));
    ASSERT_EQ(lockGroup(0), 0);
    backend = CreateHotkeyBackend();
    EXPECT_EQ(backend->registerHotKey(1, CtrlAlt, 'M'), RegisterResult::Registered);
    EXPECT_EQ(backend->registerHotKey(2, CtrlAlt, 186), RegisterResult::Registered);
    EXPECT_FALSE(otherClientCanGrab(AB07));
    EXPECT_FALSE(otherClientCanGrab(AC10));
}

TEST_F(X11LayoutFixture, ALetterTheLayoutLacksIsTheKeyAtItsUsPosition) {
    ASSERT_TRUE(setLayout({"-layout", "ru"}));
    ASSERT_FALSE(mapHolds(XK_c));
    ASSERT_TRUE(mapHolds(XK_Cyrillic_es, AB03));
    backend = CreateHotkeyBackend();
    ASSERT_EQ(backend->registerHotKey(3, CtrlAlt, 'C'), RegisterResult::Registered);
    EXPECT_EQ(backend->registerHotKey(12, CtrlAlt, 'H'), RegisterResult::Registered);
    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
    pressCtrlAlt(AB03);
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_FALSE(otherClientCanGrab(AC06));
}

TEST_F(X11LayoutFixture, SwitchingTheGroupMovesTheGrabsToTheNewGroupsKeys) {
    ASSERT_TRUE(setLayout({"-layout", "us,fr"}));
    ASSERT_EQ(lockGroup(0), 0);
    backend = CreateHotkeyBackend();
    ASSERT_EQ(backend->registerHotKey(1, CtrlAlt, 'M'), RegisterResult::Registered);
    // Home has one group only: it stays where it is in either group.
    ASSERT_EQ(backend->registerHotKey(EndMark, CtrlAlt, 36), RegisterResult::Registered);
    ASSERT_FALSE(otherClientCanGrab(AB07));
    QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);

    ASSERT_EQ(lockGroup(1), 1);
    // The French M is on the US ";" key; the US M key (a comma now) is given back.
    EXPECT_TRUE(QTest::qWaitFor([] { return otherClientCanGrab(AB07); }, 10000));
    EXPECT_EQ(idsFiredBy(spy, {AB07, AC10}), QList<int>{1});

    ASSERT_EQ(lockGroup(0), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return otherClientCanGrab(AC10); }, 10000));
    EXPECT_EQ(idsFiredBy(spy, {AC10, AB07}), QList<int>{1});
}

TEST_F(X11LayoutFixture, ARegrabThatChangesAnOutcomeIsReported) {
    ASSERT_TRUE(setLayout({"-layout", "us,fr"}));
    ASSERT_TRUE(mapHolds(XK_m, AC10));
    ASSERT_EQ(lockGroup(0), 0);
    backend = CreateHotkeyBackend();
    ASSERT_EQ(backend->registerHotKey(1, CtrlAlt, 'M'), RegisterResult::Registered);
    ASSERT_EQ(backend->registerHotKey(2, CtrlAlt, 36), RegisterResult::Registered); // stays
    // Another client holds Ctrl+Alt on the key the French group puts M on.
    Client other;
    xcb_generic_error_t* err =
        xcb_request_check(other.c, xcb_grab_key_checked(other.c, 1, other.root, CtrlAltMask, AC10,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    ASSERT_EQ(err, nullptr);
    QSignalSpy spy(backend.get(), &HotkeyBackend::registrationChanged);

    ASSERT_EQ(lockGroup(1), 1);
    ASSERT_TRUE(spy.wait(10000));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0].at(0).toInt(), 1);
    EXPECT_EQ(spy[0].at(1).value<RegisterResult>(), RegisterResult::HeldByOtherProgram);

    ASSERT_EQ(lockGroup(0), 0); // back on the US key, which nobody else holds
    ASSERT_TRUE(spy.wait(10000));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[1].at(0).toInt(), 1);
    EXPECT_EQ(spy[1].at(1).value<RegisterResult>(), RegisterResult::Registered);
}

namespace {
// The modifier index (0 Shift ... 7 Mod5) whose keys include Super_L, or -1.
int superModifierOfMap() {
    Client x;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x.c);
    xcb_keycode_t* super = xcb_key_symbols_get_keycode(symbols, XK_Super_L);
    auto* map = xcb_get_modifier_mapping_reply(x.c, xcb_get_modifier_mapping(x.c), nullptr);
    int found = -1;
    for (int i = 0; map && super && i < 8 * map->keycodes_per_modifier && found < 0; ++i) {
        if (xcb_get_modifier_mapping_keycodes(map)[i] == super[0])
            found = i / map->keycodes_per_modifier;
    }
    free(map);
    free(super);
    xcb_key_symbols_free(symbols);
    return found;
}
} // namespace

// Super is whichever modifier the keymap puts Super_L on: Mod4 as a rule, Mod3 after xmodmap.
TEST_F(X11LayoutFixture, SuperIsTheModifierTheKeymapPutsItOn) {
    for (const int expectedModifier : {6, 5}) {
        if (expectedModifier == 5) {
            ASSERT_EQ(QProcess::execute("xmodmap",
                                        {"-e", "clear mod4", "-e", "add mod3 = Super_L Super_R"}),
                      0);
        }
        ASSERT_EQ(superModifierOfMap(), expectedModifier);
        backend = CreateHotkeyBackend();
        ASSERT_EQ(backend->registerHotKey(5, Modifiers::Win, K), RegisterResult::Registered);
        ASSERT_EQ(backend->registerHotKey(EndMark, CtrlAlt, K), RegisterResult::Registered);
        QSignalSpy spy(backend.get(), &HotkeyBackend::hotkeyPressed);
        press("alt+k"); // the letter with another modifier is not the Super hotkey
        press("super+k");
        press("ctrl+alt+k");
        ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() >= 2; }, 5000)) << expectedModifier;
        EXPECT_EQ(spy.at(0).at(0).toInt(), 5);
        EXPECT_EQ(spy.at(1).at(0).toInt(), EndMark);
    }
}

// A key pressed in our own window is named by the code whose grab would catch it.
TEST_F(X11Fixture, AKeyOfOurOwnWindowIsTheVirtualKeyAGrabWouldNeed) {
    const struct {
        xcb_keycode_t keycode; // evdev, as Xvfb maps it
        xcb_keysym_t sym;
        std::optional<int> virtualKey;
    } rows[] = {
        {45, XK_k, 'K'},
        {90, XK_KP_0, 96},
        {115, XK_End, 35},
        {123, XF86XK_AudioRaiseVolume, 175},
        {49, XK_grave, 192},
        {94, XK_less, 226},
        {50, XK_Shift_L, std::nullopt},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(mapHolds(row.sym, row.keycode)) << int(row.keycode);
        EXPECT_EQ(backend->virtualKeyOfScanCode(row.keycode), row.virtualKey) << int(row.keycode);
    }
}

namespace {
constexpr int J = 74;
using R = RegisterResult;

// A batch answers as the same requests made one by one would: a row's answers hold for
// both ways, so that sending all grabs at once changes nothing but the time.
struct BatchRow {
    const char* name;
    bool otherHoldsCtrlAltK;
    std::vector<HotkeyRequest> before; // registered one by one first
    std::vector<HotkeyRequest> batch;
    std::vector<RegisterResult> answers;
};

class X11Batch : public ::testing::TestWithParam<BatchRow> {};

std::vector<RegisterResult> answersOf(const BatchRow& row, bool asBatch) {
    OtherClient other;
    if (row.otherHoldsCtrlAltK && !other.grab("grab", XControl | XMod1))
        return {};
    const std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    for (const HotkeyRequest& r : row.before)
        backend->registerHotKey(r.id, r.modifierBits, r.virtualKey);
    if (asBatch) {
        int asked = 0;
        std::vector<RegisterResult> out = backend->registerHotKeys(row.batch, [&] { ++asked; });
        return asked == 1 ? out : std::vector<RegisterResult>{};
    }
    std::vector<RegisterResult> out;
    for (const HotkeyRequest& r : row.batch)
        out.push_back(backend->registerHotKey(r.id, r.modifierBits, r.virtualKey));
    return out;
}

} // namespace

TEST_P(X11Batch, AnswersAsOneByOne) {
    EXPECT_EQ(answersOf(GetParam(), false), GetParam().answers);
    EXPECT_EQ(answersOf(GetParam(), true), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, X11Batch,
    ::testing::Values(BatchRow{"TheSecondOfTwoEqualCombinationsIsOurs",
                               false,
                               {},
                               {{1, CtrlAlt, K}, {2, CtrlAlt, K}, {3, Modifiers::Ctrl, K}},
                               {R::Registered, R::HeldByThisProgram, R::Registered}},
                      BatchRow{"AnotherClientRefusesEveryAskForItsCombination",
                               true,
                               {},
                               {{1, CtrlAlt, K}, {2, CtrlAlt, K}, {3, CtrlAlt, J}},
                               {R::HeldByOtherProgram, R::HeldByOtherProgram, R::Registered}},
                      BatchRow{"AnIdAskedAgainFreesItsFirstCombination",
                               false,
                               {},
                               {{1, CtrlAlt, K}, {1, CtrlAlt, J}, {2, CtrlAlt, K}},
                               {R::Registered, R::Registered, R::Registered}},
                      BatchRow{"AnIdRegisteredBeforeFreesItsCombinationForALaterOne",
                               false,
                               {{5, CtrlAlt, K}},
                               {{5, CtrlAlt, J}, {6, CtrlAlt, K}},
                               {R::Registered, R::Registered}},
                      BatchRow{"ALaterRequestDoesNotTakeWhatAnEarlierStillHolds",
                               false,
                               {{5, CtrlAlt, K}},
                               {{6, CtrlAlt, K}, {5, CtrlAlt, J}},
                               {R::HeldByThisProgram, R::Registered}}),
    [](const ::testing::TestParamInfo<BatchRow>& row) { return std::string(row.param.name); });

// The work done while the grabs are asked for runs with them already in place: a press
// then reaches Orvane, whatever that work takes.
TEST_F(X11Fixture, WorkWhileAskedFindsTheGrabsInPlace) {
    constexpr xcb_keycode_t KeycodeK = 45;
    ASSERT_TRUE(mapHolds(XK_k, KeycodeK));
    ASSERT_TRUE(otherClientCanGrab(KeycodeK));
    std::vector<bool> freeMeanwhile;
    const std::vector<HotkeyRequest> one{{1, CtrlAlt, K}};
    EXPECT_EQ(backend->registerHotKeys(
                  one, [&] { freeMeanwhile.push_back(otherClientCanGrab(KeycodeK)); }),
              std::vector<RegisterResult>{R::Registered});
    EXPECT_EQ(freeMeanwhile, std::vector<bool>{false});
    // Run once also when there is nothing to ask for.
    int asked = 0;
    EXPECT_TRUE(backend->registerHotKeys({}, [&] { ++asked; }).empty());
    EXPECT_EQ(asked, 1);
}
