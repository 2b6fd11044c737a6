// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowDrag.h"
#include "controls/TdxButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WindowDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 300, 200);
        bar = new TdxButton(&window);
        bar->setGeometry(0, 0, 300, 26);
        bar->setFocusPolicy(Qt::NoFocus);
        panel = new QWidget(&window);
        panel->setGeometry(20, 100, 200, 80);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        drag.AddArea(bar);
        drag.AddArea(panel, [this] { return easyMove; });
    }

    // A mouse event on `area` with the pointer at `global` on the screen.
    static void Send(QWidget* area, QEvent::Type type, QPoint global, Qt::MouseButton button,
                     Qt::MouseButtons buttons) {
        QMouseEvent e(type, area->mapFromGlobal(QPointF(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(area, &e);
    }
    static void Press(QWidget* area, QPoint global, Qt::MouseButton button) {
        Send(area, QEvent::MouseButtonPress, global, button, button);
    }
    static void Move(QWidget* area, QPoint global, Qt::MouseButtons buttons) {
        Send(area, QEvent::MouseMove, global, Qt::NoButton, buttons);
    }

    QWidget window;
    TdxButton* bar = nullptr;
    QWidget* panel = nullptr;
    WindowDrag drag{&window};
    bool easyMove = false;
};

TEST_F(WindowDragTest, LeftDragOnTheTitleBarMovesByThePointerDisplacement) {
    const QPoint start = bar->mapToGlobal(QPoint(10, 5));
    Press(bar, start, Qt::LeftButton);
    EXPECT_EQ(drag.Anchor(), QPoint(10, 5));
    EXPECT_TRUE(bar->IsPressed()) << "the title bar still sees its press";
    Move(bar, start + QPoint(20, 7), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(120, 107));
    Move(bar, start + QPoint(35, 4), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(135, 104));
    // No limit to the screen.
    Move(bar, start + QPoint(-500, -400), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(-400, -300));
}

TEST_F(WindowDragTest, RightButtonStoresTheAnchorButDoesNotMove) {
    const QPoint start = bar->mapToGlobal(QPoint(40, 10));
    Press(bar, start, Qt::RightButton);
    EXPECT_EQ(drag.Anchor(), QPoint(40, 10));
    Move(bar, start + QPoint(30, 30), Qt::RightButton);
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    // A later left-button move uses the anchor the right press stored.
    Move(bar, bar->mapToGlobal(QPoint(45, 12)), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(105, 102));
}

TEST_F(WindowDragTest, ConditionalAreaMovesOnlyWhileItsConditionHolds) {
    const QPoint start = panel->mapToGlobal(QPoint(5, 6));
    Press(panel, start, Qt::LeftButton);
    EXPECT_EQ(drag.Anchor(), QPoint(5, 6)) << "in the pressed control's coordinates";
    Move(panel, start + QPoint(10, 10), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    easyMove = true; // read at every move
    Move(panel, start + QPoint(10, 10), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(110, 110));

    drag.RemoveArea(panel);
    Move(panel, start + QPoint(50, 10), Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(110, 110));
}

} // namespace
