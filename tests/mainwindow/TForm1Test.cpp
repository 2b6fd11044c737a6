// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TForm1.h"
#include "FormFixture.h"
#include "controls/Look.h"
#include "controls/MessageBox.h"
#include "controls/TdxButton.h"
#include "core/HotkeyCommands.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

TEST(HotkeyListStrip, RowsComeFromArithmeticNotFromAHitTest) {
    struct Row {
        int x, y, top, count, row;
    };
    // y in the list's client coordinates: a 20-pixel header, then 32-pixel rows.
    const Row rows[] = {
        {0, 20, 0, 20, 0},
        {21, 51, 0, 20, 0},
        {21, 52, 0, 20, 1},
        {22, 30, 0, 20, -1},
        {5, 20, 7, 20, 7},
        {5, 51, 7, 20, 7},
        {5, 52, 7, 20, 8},
        {5, 83, 7, 20, 8},
        {5, 30, 0, 0, -1},
        {5, 20 + 32 * 3, 0, 3, -1},
        {5, 20 + 32 * 3 - 1, 0, 3, 2},
    };
    for (const Row& r : rows)
        EXPECT_EQ(HotkeyListView::StripRow(r.x, r.y, r.top, r.count), r.row)
            << r.x << "," << r.y << " top " << r.top << " of " << r.count;
}

// The title bar's buttons take the focus, yet the list has the keyboard at the first show, so
// Space right after start does not minimise the window. The first row is selected as an arrow
// key selects it: shown in the panel, nothing applied.
TEST_F(FormFixture, TheListHasTheKeyboardAtTheFirstShow) {
    ASSERT_TRUE(form->Frame.ButtonMinimize->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(form->focusWidget(), form->ListView1);
    PropertiesPanel* panel = form->GroupBoxProperties;
    EXPECT_EQ(form->ListView1->SelectedRow(), 0);
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(panel->EditExecute->text(), table.at(0).Execute);
    EXPECT_FALSE(panel->ButtonApply->isEnabled());
    EXPECT_TRUE(backend.calls.isEmpty());
}

// Tab walks the window as it reads and comes round to the list; Shift+Tab walks it back. The
// disabled key code and the Apply with nothing to apply are passed over.
TEST_F(FormFixture, TabWalksTheWindowInReadingOrderAndShiftTabBack) {
    const QStringList cycle = {
        "ListView1",    "EnabledCheckBox", "AltCheckBox",    "ControlCheckBox", "ShiftCheckBox",
        "WinCheckBox",  "CharComboBox",    "ButtonRecord",   "IconSpeedButton", "EditExecute",
        "ButtonTest",   "ButtonFunctions", "ButtonBrowse",   "ButtonHotKeys",   "ButtonView",
        "ButtonWindow", "ButtonHelp",      "ButtonMinimize", "ButtonExit",      "ListView1"};
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_FALSE(form->GroupBoxProperties->ButtonApply->isEnabled());
    const auto walk = [&cycle](Qt::KeyboardModifiers modifiers) {
        QStringList names{QApplication::focusWidget()->objectName()};
        while (names.size() < cycle.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            names << QApplication::focusWidget()->objectName();
        }
        return names;
    };
    EXPECT_EQ(walk(Qt::NoModifier), cycle);
    QStringList back = cycle;
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(walk(Qt::ShiftModifier), back);
    // Folded away, the panel is out of the walk.
    form->Menus->Propertiespanel1->trigger();
    QTest::keyClick(form->ListView1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->Frame.ButtonHotKeys);
}

// F10 opens the Hotkeys menu, its first item active; Left and Right go round the menu
// buttons' menus, and Right on a submenu opens it, as in a menu bar.
TEST_F(FormFixture, F10OpensTheHotkeysMenuAndTheArrowsGoRoundTheMenus) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const MainWindowMenus* m = form->Menus;
    const auto open = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    QTest::keyClick(form->ListView1, Qt::Key_F10);
    ASSERT_EQ(open(), m->PopupMenuHotKeys);
    EXPECT_EQ(open()->activeAction(), m->New1);
    const struct {
        Qt::Key key;
        QMenu* menu;
        QAction* active;
    } steps[] = {
        {Qt::Key_Left, m->PopupMenuHelp, m->Whatsnew1},
        {Qt::Key_Right, m->PopupMenuHotKeys, m->New1},
        {Qt::Key_Right, m->PopupMenuView, m->Options1},
        {Qt::Key_Right, m->PopupMenuWindow, m->Hide1},
        {Qt::Key_Right, m->PopupMenuHelp, m->Whatsnew1},
        {Qt::Key_Down, m->PopupMenuHelp, m->Online1->menuAction()},
        {Qt::Key_Right, m->Online1, m->Submitabug1},
    };
    for (const auto& step : steps) {
        QTest::keyClick(open(), step.key);
        ASSERT_EQ(open(), step.menu) << step.key;
        EXPECT_EQ(step.menu->activeAction(), step.active) << step.key;
    }
}

TEST_F(FormFixture, TheStripOfAScrolledListSelectsAndAppliesTheComputedRow) {
    form->ListView1->verticalScrollBar()->setValue(7);
    ASSERT_EQ(form->ListView1->TopRow(), 7);
    backend.calls.clear();
    // The right button selects the row and applies it unchanged.
    QTest::mousePress(viewport(), Qt::RightButton, {}, QPoint(5, 52 - 20));
    EXPECT_EQ(form->ListView1->SelectedRow(), 8);
    EXPECT_TRUE(table.at(8).Checked);
    EXPECT_EQ(backend.calls, QStringList({"unregister 9", "register 9 6 78"}));
    // Beside the strip the list behaves as a list: no Apply.
    backend.calls.clear();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(300, 5));
    EXPECT_EQ(form->ListView1->SelectedRow(), 7);
    EXPECT_TRUE(backend.calls.isEmpty());
}

TEST_F(FormFixture, TickingAndUntickingARowThroughItsBoxChangesItsRegistration) {
    backend.registered[1] = {6, 'E'};
    QTest::mousePress(viewport(), Qt::LeftButton, {}, checkBoxOf(0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, checkBoxOf(0));
    EXPECT_FALSE(table.at(0).Checked);
    EXPECT_EQ(backend.registered.count(1), 0u);
    EXPECT_FALSE(form->GroupBoxProperties->EnabledCheckBox->isChecked());
    // Space on the selected row ticks it again.
    QTest::keyClick(form->ListView1, Qt::Key_Space);
    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_EQ(backend.registered.count(1), 1u);
    EXPECT_TRUE(g_messages.isEmpty());

    // Without check boxes a press on the strip flips nothing.
    settings.setValue(Setting::CheckBoxes, 0);
    ASSERT_FALSE(form->ListView1->CheckBoxes());
    QTest::mousePress(viewport(), Qt::LeftButton, {}, checkBoxOf(0));
    EXPECT_TRUE(table.at(0).Checked);
}

TEST_F(FormFixture, ATickThatCannotWorkSaysWhyAndKeepsTheTick) {
    backend.noDisplay = true;
    table.setChecked(1, false);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, checkBoxOf(1));
    EXPECT_TRUE(table.at(1).Checked);
    EXPECT_EQ(g_messages, QStringList{HotkeyRegistration::kNoDisplay});
}

TEST_F(FormFixture, ThePanelFoldsAwayAndComesBackWithItsSetting) {
    QAction* item = form->Menus->Propertiespanel1;
    ASSERT_EQ(form->height(), TForm1::FullHeight);
    item->trigger();
    EXPECT_EQ(form->height(), TForm1::FoldedHeight);
    EXPECT_FALSE(settings.isOn(Setting::Properties));
    // The list's menu offers "Properties" only while the panel is folded.
    emit form->Menus->PopupMenuHotkeysList->aboutToShow();
    EXPECT_TRUE(form->Menus->Properties1->isEnabled());

    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, QPoint(300, 5));
    EXPECT_EQ(form->height(), TForm1::FullHeight);
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(settings.isOn(Setting::Properties));
    emit form->Menus->PopupMenuHotkeysList->aboutToShow();
    EXPECT_FALSE(form->Menus->Properties1->isEnabled());

    // A settings load that folds the panel.
    settings.setValue(Setting::Properties, 0);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(form->height(), TForm1::FoldedHeight);
}

TEST_F(FormFixture, MenuButtonsDropTheirMenusUnderTheirLowerLeftCorner) {
    QTest::mouseClick(form->Frame.ButtonHelp, Qt::LeftButton);
    QMenu* help = form->Menus->PopupMenuHelp;
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->pos(), form->mapToGlobal(QPoint(303, 27 + 16)));
    help->hide();
}

TEST_F(FormFixture, TestRunsTheStoredTargetNotTheEditedText) {
    QSignalSpy tests(form.get(), &TForm1::testRequested);
    form->ListView1->SelectRow(2);
    form->GroupBoxProperties->EditExecute->setText("edited.exe");
    form->ButtonTestClick();
    ASSERT_EQ(tests.count(), 1);
    EXPECT_EQ(tests.at(0).at(0).toString(), "calc.exe");
}

// Hide and Exit are the owner's to carry out: the window only says which the user asked for.
TEST_F(FormFixture, HideAndExitCommandsSayWhatTheUserAskedAndLeaveTheWindowAsItIs) {
    struct Row {
        const char* what;
        std::function<void()> ask;
        int hides, exits;
    };
    const Row rows[] = {
        {"title-bar X", [&] { QTest::mouseClick(form->Frame.ButtonExit, Qt::LeftButton); }, 1, 0},
        {"Window menu Hide", [&] { form->Menus->Hide1->trigger(); }, 1, 0},
        {"context menu Hide", [&] { form->Menus->Hide2->trigger(); }, 1, 0},
        {"Window menu Exit", [&] { form->Menus->Exit1->trigger(); }, 0, 1},
        {"context menu Exit", [&] { form->Menus->Exit2->trigger(); }, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QSignalSpy hides(form.get(), &TForm1::hideRequested);
        QSignalSpy exits(form.get(), &TForm1::exitRequested);
        row.ask();
        EXPECT_EQ(hides.count(), row.hides);
        EXPECT_EQ(exits.count(), row.exits);
        EXPECT_TRUE(form->isVisible());
    }
}

TEST_F(FormFixture, ACloseRequestOnlyHidesTheWindow) {
    QSignalSpy exits(form.get(), &TForm1::exitRequested);
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(exits.count(), 0);
}

namespace {
QStringList g_questions;
MessageAnswer answerYes(QWidget*, const QString& text, const QString&) {
    g_questions << text;
    return MessageAnswer::Yes;
}
MessageAnswer answerNo(QWidget*, const QString& text, const QString&) {
    g_questions << text;
    return MessageAnswer::No;
}
} // namespace

// Delete on the list runs Delete Selected: the same question, and only Yes deletes.
TEST_F(FormFixture, DeleteOnASelectedRowAsksAndOnlyYesDeletes) {
    const QString first = table.at(0).ID;
    ASSERT_EQ(form->ListView1->SelectedRow(), 0);
    for (const auto& [hook, rows] : {std::pair{&answerNo, 20}, std::pair{&answerYes, 19}}) {
        g_questions.clear();
        SetQuestionHook(hook);
        QTest::keyClick(form->ListView1, Qt::Key_Delete);
        EXPECT_EQ(g_questions, QStringList{HotkeyCommands::kDeleteText});
        EXPECT_EQ(table.count(), rows);
    }
    EXPECT_NE(table.at(0).ID, first);
    EXPECT_FALSE(form->GroupBoxProperties->isEnabled());
    SetQuestionHook(nullptr);
}

// Reset ends the program once the write that brings the defaults back has gone to disk.
TEST(FormReset, AsksForExitOnlyAfterTheWriteSucceeded) {
    SetQuestionHook(answerYes);
    SetWarningHook([](QWidget*, const QString&, const QString&) {});
    for (const bool written : {false, true}) {
        SCOPED_TRACE(written);
        g_questions.clear();
        HotkeyTable table;
        table.appendMany(DefaultHotkeyTable());
        FakeHotkeyBackend backend;
        SettingsStore settings;
        Look look;
        int writes = 0;
        TForm1 form(table, backend, settings, look, [&] {
            ++writes;
            return written;
        });
        QSignalSpy exits(&form, &TForm1::exitRequested);
        form.Menus->Resettodefault1->trigger();
        EXPECT_EQ(g_questions.size(), 1);
        EXPECT_EQ(writes, 1);
        EXPECT_EQ(exits.count(), written ? 1 : 0);
        EXPECT_EQ(table.count(), written ? 0 : 20);
    }
    SetQuestionHook(nullptr);
    SetWarningHook(nullptr);
}

TEST_F(FormFixture, RealignClosesTheFlagColumnsADragOpened) {
    QHeaderView* header = form->ListView1->header();
    for (int col : {4, 5, 6})
        ASSERT_EQ(header->sectionSize(col), 0);
    header->resizeSection(5, 40);
    header->resizeSection(0, 90);
    form->Menus->Realignlist1->trigger();
    const int widths[] = {160, 70, 250, 38, 0, 0, 0};
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(header->sectionSize(col), widths[col]) << col;
}

TEST_F(FormFixture, NewSelectsTheNewRowAndBringsItIntoView) {
    form->New1Click();
    ASSERT_EQ(table.count(), 21);
    EXPECT_EQ(table.at(20).ID, "21");
    EXPECT_EQ(form->ListView1->SelectedRow(), 20);
    EXPECT_EQ(form->GroupBoxProperties->EditExecute->text(), "Nothing");
    // The new row is in view.
    EXPECT_TRUE(viewport()->rect().intersects(form->ListView1->visualRect(table.index(20, 0))));
}

TEST_F(FormFixture, ADragOnTheLastDividerOpensAFlagColumn) {
    QHeaderView* header = form->ListView1->header();
    QWidget* strip = header->viewport();
    const int divider = 160 + 70 + 250 + 38;
    ASSERT_EQ(header->sectionSize(4) + header->sectionSize(5) + header->sectionSize(6), 0);
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(divider, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(divider + 30, 10),
                     strip->mapToGlobal(QPointF(divider + 30, 10)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(divider + 30, 10));
    EXPECT_EQ(header->sectionSize(3), 38);
    EXPECT_GT(header->sectionSize(4) + header->sectionSize(5) + header->sectionSize(6), 0);
}

TEST_F(FormFixture, TheFoldedWindowsBottomStripIsWhole) {
    form->Menus->Propertiespanel1->trigger(); // the panel goes, from under the bottom edge
    const QColor strip = form->LabelBottom()->palette().color(QPalette::Window);
    const QImage look = form->grab().toImage();
    for (int x = 0; x < form->width(); ++x)
        ASSERT_EQ(look.pixelColor(x, TForm1::FoldedHeight - 1), strip) << x;
}

TEST_F(FormFixture, ARowWhoseIconIsOutsideTheListKeepsItsCaptionInLine) {
    HotkeyEntry entry = table.at(0);
    table.append(entry);
    entry.Image = 99;
    table.append(entry);
    form->ListView1->scrollToBottom();
    const QImage rows = viewport()->grab().toImage();
    const auto caption = [&](int row) { // right of the check box and the icon
        return rows.copy(form->ListView1->visualRect(table.index(row, 0)).adjusted(70, 0, 0, 0));
    };
    EXPECT_EQ(caption(table.count() - 2), caption(table.count() - 1));
}
