// SPDX-License-Identifier: GPL-3.0-or-later
// The gradient button's state machine, driven by real Qt input events through the window
// system layer (presses grab the pointer, leaves arrive as on a desktop).
#define QTEST_QPA_MOUSE_HANDLING
#include "controls/TdxButton.h"
#include "controls/TdxButtonAccessible.h"

#include <QAccessibleActionInterface>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TdxButtonState : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        check = new QCheckBox(QStringLiteral("Check"), &window);
        check->setGeometry(10, 150, 100, 20);
        ok = new TdxButton(&window);
        ok->setGeometry(10, 10, 73, 25);
        ok->SetCaption(QStringLiteral("&Apply"));
        other = new TdxButton(&window);
        other->setGeometry(100, 10, 73, 25);
        other->SetCaption(QStringLiteral("Other"));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        check->setFocus();
        QTest::mouseMove(&window, QPoint(250, 100));
    }

    // Grabs the button as painted now.
    static QImage Look(TdxButton* b) { return b->grab().toImage(); }

    QWidget window;
    QCheckBox* check = nullptr;
    TdxButton* ok = nullptr;
    TdxButton* other = nullptr;
};

TEST_F(TdxButtonState, LeftPressAndReleaseInsideClicksOnce) {
    QSignalSpy clicks(ok, &TdxButton::OnClick);
    QTest::mouseClick(ok, Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_FALSE(ok->hasFocus()) << "only the left button takes the focus";
    QTest::mouseMove(ok, QPoint(20, 10));
    EXPECT_TRUE(ok->IsHot());
    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(ok->IsPressed());
    EXPECT_TRUE(ok->hasFocus());
    // Hot and pressed: the clicked gradient from (1, 1), no frame.
    EXPECT_EQ(Look(ok).pixel(3, 1), ok->ClickedBitmap().pixel(2, 0));
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_FALSE(ok->IsPressed());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TdxButtonState, ReleaseOutsideShowsFocusedFrameAndDoesNotClick) {
    QSignalSpy clicks(ok, &TdxButton::OnClick);
    QSignalSpy leaves(ok, &TdxButton::OnMouseLeave);
    QTest::mouseMove(ok, QPoint(20, 10));
    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseMove(ok, QPoint(20, 100));
    EXPECT_FALSE(ok->IsHot());
    EXPECT_TRUE(ok->IsPressed());
    EXPECT_TRUE(ok->IsFramed(false));
    const QImage look = Look(ok);
    EXPECT_EQ(look.pixel(3, 1), ok->FocusedBitmap().pixel(2, 0));
    EXPECT_EQ(look.pixel(4, 4), ok->FaceBitmap().pixel(1, 1));
    // Back over the button it is pressed again, and out once more.
    QTest::mouseMove(ok, QPoint(30, 12));
    EXPECT_TRUE(ok->IsHot());
    QTest::mouseMove(ok, QPoint(-30, 12));
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(-30, 12));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(leaves.count(), 2);
    EXPECT_FALSE(ok->IsPressed());
    EXPECT_TRUE(ok->IsFocused());
}

TEST_F(TdxButtonState, SpaceClicksOnReleaseAndLeavesTheButtonCold) {
    QSignalSpy clicks(ok, &TdxButton::OnClick);
    ok->setFocus();
    QTest::keyPress(ok, Qt::Key_Space);
    EXPECT_TRUE(ok->IsHot());
    EXPECT_TRUE(ok->IsPressed());
    // A held key repeats as release and press pairs: no click until the real release.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "), true);
    QApplication::sendEvent(ok, &repeat);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(ok, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(ok->IsHot());
    EXPECT_FALSE(ok->IsPressed());

    QTest::keyPress(ok, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyRelease(ok, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(clicks.count(), 1) << "Space with a modifier is not a press";
}

TEST_F(TdxButtonState, EnterClicksTheFocusedButtonOrTheDefaultOne) {
    QSignalSpy okClicks(ok, &TdxButton::OnClick);
    QSignalSpy otherClicks(other, &TdxButton::OnClick);
    ok->SetDefault(true);

    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1) << "default button, a check box focused";

    other->setFocus();
    QTest::keyClick(other, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(okClicks.count(), 1) << "another gradient button is active";
    EXPECT_EQ(otherClicks.count(), 1);

    check->setFocus();
    ok->setEnabled(false);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1) << "a disabled default button does not click";
}

TEST_F(TdxButtonState, DefaultButtonOnAPanelPlacedLaterStillHearsEnter) {
    auto* panel = new QWidget;
    auto* late = new TdxButton(panel);
    late->SetDefault(true);
    panel->setParent(&window);
    panel->setGeometry(150, 50, 100, 40);
    panel->show();
    QSignalSpy clicks(late, &TdxButton::OnClick);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TdxButtonState, EscClicksTheCancelButtonWithoutModifiers) {
    QSignalSpy clicks(other, &TdxButton::OnClick);
    QTest::keyClick(check, Qt::Key_Escape);
    EXPECT_EQ(clicks.count(), 0);
    other->SetCancel(true);
    QTest::keyClick(check, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyClick(check, Qt::Key_Escape);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TdxButtonState, DefaultIsFramedOnlyWhileNoGradientControlIsActive) {
    ok->SetDefault(true);
    EXPECT_TRUE(ok->IsFramed(false));
    EXPECT_FALSE(ok->IsFramed(true));
    EXPECT_EQ(Look(ok).pixel(3, 1), ok->FocusedBitmap().pixel(2, 0));
    other->setFocus();
    EXPECT_TRUE(ok->IsOtherActive());
    EXPECT_FALSE(ok->IsFramed(false));
    EXPECT_EQ(Look(ok).pixel(3, 1), ok->FaceBitmap().pixel(2, 0));
    check->setFocus();
    EXPECT_TRUE(ok->IsFramed(false));

    // Turning Default off tells the window at once.
    ok->SetDefault(false);
    EXPECT_FALSE(ok->IsFramed(false));
}

TEST_F(TdxButtonState, AcceleratorClicksWithAltOrWhenFocused) {
    QSignalSpy clicks(ok, &TdxButton::OnClick);
    QTest::keyClick(check, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 0) << "plain letter on another control";
    QTest::keyClick(check, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 2);

    ok->SetShowAccelChar(false);
    QTest::keyClick(check, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2) << "without ShowAccelChar the & is plain text";
}

// The name a screen reader says: the caption, or the hint where the caption is a glyph.
TEST(TdxButtonAccessibleName, CaptionOrHintForAGlyph) {
    const struct {
        const char* caption;
        const char* hint;
        const char* name;
    } rows[] = {
        {" Browse  ", "Browse for files", "Browse"},
        {"&Apply", "", "Apply"},
        {"X", "Hide", "Hide"},
        {" ", "Minimize", "Minimize"},
        {"v", "Functions", "Functions"},
        {"v", "", "v"},
    };
    for (const auto& r : rows) {
        TdxButton b;
        b.SetCaption(QString::fromLatin1(r.caption));
        b.setToolTip(QString::fromLatin1(r.hint));
        EXPECT_EQ(TdxButtonAccessible::NameOf(b), QString::fromLatin1(r.name)) << r.caption;
    }
    TdxButton named;
    named.SetCaption(QStringLiteral("v"));
    named.setAccessibleName(QStringLiteral("Built-in functions"));
    EXPECT_EQ(TdxButtonAccessible::NameOf(named), QStringLiteral("Built-in functions"));
}

// Pressed through assistive technology, the button clicks as by the keyboard; disabled, it
// offers nothing to press.
TEST_F(TdxButtonState, ItsPressActionClicksItWhileEnabled) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(ok);
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->role(), QAccessible::Button);
    QAccessibleActionInterface* actions = a->actionInterface();
    ASSERT_NE(actions, nullptr);
    QSignalSpy clicks(ok, &TdxButton::OnClick);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
    ok->setEnabled(false);
    EXPECT_TRUE(actions->actionNames().isEmpty());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(TdxButtonClick, ModalResultEndsTheModalDialog) {
    QDialog dialog;
    auto* button = new TdxButton(&dialog);
    button->SetModalResult(QDialog::Accepted + 6);
    dialog.open();
    ASSERT_TRUE(dialog.isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), 7);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TdxButtonClick, LinkedActionGivesCaptionAndStateAndIsTriggered) {
    QAction action(QStringLiteral("&Run"));
    TdxButton button;
    button.SetAction(&action);
    EXPECT_EQ(button.Caption(), QStringLiteral("&Run"));
    action.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    action.setEnabled(true);
    QSignalSpy triggered(&action, &QAction::triggered);
    button.Click();
    EXPECT_EQ(triggered.count(), 1);
}

} // namespace
