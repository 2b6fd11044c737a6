// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TLinkLabel.h"

#include <QAccessibleActionInterface>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window that counts the presses that reach it.
class CountingWindow : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class TLinkLabelPress : public ::testing::Test {
protected:
    QStringList opened;
    CountingWindow window;
    TLinkLabel* label = new TLinkLabel([this](const QString& link) { opened << link; }, &window);
};

TEST_F(TLinkLabelPress, StartsAsAnEmptyBlueUnderlinedHttpLinkUnderAHand) {
    EXPECT_EQ(label->parentWidget(), &window);
    EXPECT_EQ(label->LinkType(), lthttp);
    EXPECT_TRUE(label->text().isEmpty());
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(TLinkLabelPress, LeftPressOpensPrefixAndTargetAndIsNotPassedOn) {
    label->SetHyperLink(QStringLiteral("example.org/orvane"));
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://example.org/orvane")});
    EXPECT_EQ(window.presses, 0);

    QTest::mousePress(label, Qt::RightButton);
    EXPECT_EQ(opened.size(), 1) << "only the left button opens";
}

TEST_F(TLinkLabelPress, EveryLinkTypeHasItsPrefix) {
    const std::pair<tLinkType, const char*> table[] = {
        {ltfile, "file://"}, {ltftp, "ftp://"},     {ltgopher, "gopher://"},
        {lthttp, "http://"}, {lthttps, "https://"}, {ltmailto, "mailto:"},
        {ltnews, "news:"},   {lttelnet, "telnet:"}, {ltwais, "wais:"}};
    label->SetHyperLink(QStringLiteral("me@example.org"));
    for (const auto& [type, prefix] : table) {
        label->SetLinkType(type);
        QTest::mousePress(label, Qt::LeftButton);
        EXPECT_EQ(opened.last(), QLatin1String(prefix) + QStringLiteral("me@example.org"));
    }
    // A value outside the list never opens the bare target as a program.
    label->SetLinkType(static_cast<tLinkType>(42));
    EXPECT_EQ(label->Link(), QStringLiteral("http://me@example.org"));
}

TEST_F(TLinkLabelPress, EmptyTargetOpensTheBarePrefix) {
    label->SetLinkType(ltmailto);
    QTest::mousePress(label, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("mailto:")});
}

TEST_F(TLinkLabelPress, TargetBecomesTheCaptionOnlyWhenItIsEmpty) {
    label->SetHyperLink(QStringLiteral("<b>example.org</b>"));
    EXPECT_EQ(label->text(), QStringLiteral("<b>example.org</b>"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << "shown as typed, not as markup";

    TLinkLabel named({}, &window);
    named.setText(QStringLiteral("Write to us"));
    named.SetHyperLink(QStringLiteral("me@example.org"));
    EXPECT_EQ(named.text(), QStringLiteral("Write to us"));
}

// A screen reader finds a link, named by what it shows, described by what it opens, and
// pressing it opens that as a click does.
TEST_F(TLinkLabelPress, ReadsAsALinkToItsTargetThatOpensWhenPressed) {
    label->SetLinkType(ltmailto);
    label->SetHyperLink(QStringLiteral("me@example.org"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Link);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("me@example.org"));
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("mailto:me@example.org"));
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(opened, QStringList{QStringLiteral("mailto:me@example.org")});
}

// From the keyboard: Tab reaches it, Enter and Space open it, and the focus shows.
TEST_F(TLinkLabelPress, EnterOrSpaceOpensItOnceTabHasReachedItWhichShows) {
    label->SetHyperLink(QStringLiteral("example.org"));
    label->adjustSize();
    ASSERT_TRUE(label->focusPolicy() & Qt::TabFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QImage unfocused = label->grab().toImage();
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(label->hasFocus());
    EXPECT_NE(label->grab().toImage(), unfocused);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_A})
        QTest::keyClick(label, key);
    EXPECT_EQ(opened, QStringList(2, QStringLiteral("http://example.org")));
}

} // namespace
