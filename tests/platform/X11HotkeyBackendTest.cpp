// Runs on its own Xvfb (tests/support/with-xvfb.sh) with the xcb platform: real grabs, a
// real second client (XClientHelper) and real key presses (xdotool).
#include "HotkeyEntry.h"
#include "X11HotkeyBackend.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

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

struct X11Fixture : ::testing::Test {
    std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
};

} // namespace

TEST_F(X11Fixture, ACombinationAnotherClientHoldsIsRefused) {
    {
        OtherClient other;
        ASSERT_TRUE(other.grab("grab", XControl | XMod1));
        EXPECT_FALSE(backend->registerHotKey(1, CtrlAlt, K));
    }
    EXPECT_TRUE(backend->registerHotKey(1, CtrlAlt, K));
}

TEST_F(X11Fixture, ACombinationThisProcessHoldsUnderAnotherIdIsRefused) {
    EXPECT_TRUE(backend->registerHotKey(1, CtrlAlt, K));
    EXPECT_FALSE(backend->registerHotKey(2, CtrlAlt, K));
    EXPECT_TRUE(backend->registerHotKey(3, Modifiers::Ctrl, K)); // other modifiers: another hotkey
    backend->unregisterHotKey(1);
    EXPECT_TRUE(backend->registerHotKey(2, CtrlAlt, K));
}

TEST_F(X11Fixture, APartlyRefusedGrabIsRolledBack) {
    // The other client holds only the NumLock state: ours fails there and must give back
    // the states it did get, so that the other client can take them.
    OtherClient numLockOnly;
    ASSERT_TRUE(numLockOnly.grab("grab-exact", XControl | XMod1 | XMod2));
    EXPECT_FALSE(backend->registerHotKey(1, CtrlAlt, K));
    OtherClient plain;
    EXPECT_TRUE(plain.grab("grab-exact", XControl | XMod1));
}

TEST_F(X11Fixture, ReleasingGivesTheCombinationBack) {
    ASSERT_TRUE(backend->registerHotKey(1, CtrlAlt, K));
    backend->unregisterHotKey(1);
    backend->unregisterHotKey(1); // releasing what is not held does nothing
    OtherClient other;
    EXPECT_TRUE(other.grab("grab", XControl | XMod1));
}

TEST_F(X11Fixture, PressesArriveWithTheirIdWhateverTheLockState) {
    ASSERT_TRUE(backend->registerHotKey(7, CtrlAlt, K));
    ASSERT_TRUE(backend->registerHotKey(8, 0, 116)); // F5 alone
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
    ASSERT_TRUE(backend->registerHotKey(7, CtrlAlt, K));
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
