// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TFormAbout.h"
#include "BuildInfo.h"
#include "Screenshots.h"
#include "SendMouse.h"
#include "controls/Look.h"
#include "controls/TdxButton.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class AboutBox : public ::testing::Test {
protected:
    QStringList opened;
    Look look;
    TFormAbout about{[this](const QString& link) { opened << link; }, look};
};

TEST_F(AboutBox, ShowsFirstAtItsPlaceThenWhereItWasLeftAndStaysOneBoxInFront) {
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.pos(), QPoint(482, 314));

    about.move(600, 420);
    about.ButtonOK()->Click();
    ASSERT_FALSE(about.isVisible());

    // Another window takes the front; asking again brings the same box back to it.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    about.ShowAbout();
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(about.pos(), QPoint(600, 420));
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += qobject_cast<TFormAbout*>(w) != nullptr;
    EXPECT_EQ(boxes, 1);
}

TEST_F(AboutBox, OkClickedHidesTheBox) {
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.ButtonOK()->Caption(), QStringLiteral(" OK "));
    EXPECT_EQ(about.ButtonOK()->geometry(), QRect(100, 162, 100, 25));
    QTest::mouseClick(about.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

// Esc hides the box as OK does.
// The keyboard starts on OK and Tab goes round the two links; Esc hides the box from a link too,
// and the box comes back with the keyboard on OK.
TEST_F(AboutBox, EscHidesTheBox) {
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(QApplication::focusWidget(), about.ButtonOK());
    for (int tab = 0; tab < 2; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(QApplication::focusWidget()->inherits("TLinkLabel")) << tab;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    about.ShowAbout();
    EXPECT_EQ(about.focusWidget(), about.ButtonOK());
}

// The box keeps its text while the version comes from the build, the one `--version` prints.
TEST_F(AboutBox, ShowsTheReleaseThatVersionPrints) {
    about.ShowAbout();
    EXPECT_EQ(about.LabelVersion()->text(), QStringLiteral("v2.1 (20.02.2005)"));
    EXPECT_TRUE(QStringLiteral(ORVANE_VERSION).startsWith(QStringLiteral("2.1.")));
}

TEST_F(AboutBox, LinksOpenTheMailAddressAndTheWebSite) {
    about.ShowAbout();
    const std::pair<TLinkLabel*, QString> rows[] = {
        {about.LinkLabel1(), QStringLiteral("mailto:orvane@orvane.org")},
        {about.LinkLabel2(), QStringLiteral("https://orvane.org/")}};
    for (const auto& [label, link] : rows) {
        opened.clear();
        QTest::mousePress(label, Qt::LeftButton);
        EXPECT_EQ(opened, QStringList{link});
    }
    EXPECT_EQ(about.LinkLabel1()->text(), QStringLiteral("orvane@orvane.org"));
}

// The title bar drags every skinned window that drags; the box drags by its surface too.
TEST_F(AboutBox, DragOnTheSurfaceMovesTheBox) {
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    const QPoint before = about.pos();
    const QPoint start = about.mapToGlobal(QPoint(20, 150));
    ASSERT_EQ(about.childAt(20, 150), nullptr) << "a free spot";
    SendMouse(&about, QEvent::MouseButtonPress, start, Qt::LeftButton);
    SendMouse(&about, QEvent::MouseMove, start + QPoint(30, -12), Qt::LeftButton);
    EXPECT_EQ(about.pos(), before + QPoint(30, -12));
    SendMouse(&about, QEvent::MouseButtonRelease, start + QPoint(30, -12), Qt::LeftButton);
}

TEST_F(AboutBox, ATopLevelBoxOwnedByTheMainWindowWithItsBackground) {
    QWidget main;
    QPalette p = main.palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    main.setPalette(p);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    TFormAbout owned({}, look, &main);
    owned.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owned));
    EXPECT_TRUE(owned.isWindow());
    EXPECT_EQ(owned.windowHandle()->transientParent(), main.windowHandle());
    EXPECT_EQ(owned.palette().color(QPalette::Window), QColor(128, 128, 128));
    main.hide();
    EXPECT_TRUE(owned.isVisible()) << "a window of its own, not hidden with its owner";
}

// The title bar, strips, background and quality follow the look as in every skinned window.
TEST_F(AboutBox, ASchemeRecoloursTheOkButtonButItsFocusedFrame) {
    const SkinPalette black{QColor(0, 0, 0), QColor(192, 192, 192), QColor(160, 160, 164),
                            QColor(128, 128, 128)};
    look.SetPalette(black);
    const TdxColors& ok = about.ButtonOK()->Colors();
    EXPECT_EQ(ok.BackgroundFrom(), QColor(0, 0, 0));
    EXPECT_EQ(ok.HighlightTo(), QColor(192, 192, 192));
    EXPECT_EQ(ok.FocusedFrom(), QColor(206, 231, 255)) << "kept";

    look.SetPalette(Skin::DesignPalette);
    EXPECT_EQ(ok.BackgroundTo(), Skin::SkyBlue);
}

TEST_F(AboutBox, WritesAScreenshot) {
    about.ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    // As the screen shows it: nothing outside the outline.
    EXPECT_TRUE(WindowLook(&about, Qt::transparent).save(ScreenshotPath("about.png")));
}

} // namespace
