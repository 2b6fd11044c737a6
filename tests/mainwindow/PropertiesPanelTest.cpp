// SPDX-License-Identifier: GPL-3.0-or-later
// The properties panel on the offscreen platform, driven through real input events where a
// user would act (pointer moves and clicks go through the window system layer).
#define QTEST_QPA_MOUSE_HANDLING
#include "mainwindow/PropertiesPanel.h"
#include "core/BuiltinFunctions.h"

#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyIconList.h"
#include "mainwindow/IconPicker.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <ostream>
#include <set>

// Readable failures: texts as text (long ones cut short), points as (x, y).
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.left(60).toStdString() << (text.size() > 60 ? "...\" (" : "\" (")
        << text.size() << " characters)";
}
void PrintTo(const QPoint& p, std::ostream* os) {
    *os << '(' << p.x() << ", " << p.y() << ')';
}

namespace {

HotkeyEntry Entry(const char* key, const QString& execute, const char* alt, const char* ctrl,
                  const char* shift, bool checked, int image) {
    HotkeyEntry e;
    e.Key = QString::fromLatin1(key);
    e.Execute = execute;
    e.Alt = QString::fromLatin1(alt);
    e.Ctrl = QString::fromLatin1(ctrl);
    e.Shift = QString::fromLatin1(shift);
    e.Checked = checked;
    e.Image = image;
    e.ID = QStringLiteral("99");
    return e;
}

QImage Picture(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage();
}

// Rows 20.. after the default table.
constexpr int kF5Row = 20, kAltOnlyRow = 21, kUnknownKeyRow = 22, kLongTargetRow = 23;
const QString kLongTarget(40000, QLatin1Char('x'));

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        table.appendMany(DefaultHotkeyTable());
        table.append(Entry("F5", QStringLiteral("calc.exe"), "1", "1", "0", true, 12));
        table.append(Entry("C", QStringLiteral("cmd.exe"), "1", "0", "0", false, 3));
        table.append(Entry("Nope", QStringLiteral("x"), "0", "0", "1", true, 99));
        HotkeyEntry withWin = Entry("A", kLongTarget, "0", "1", "0", true, 0);
        withWin.Win = QStringLiteral("1");
        table.append(withWin);
        // The main window's stand-in, borderless like it, at a known place on the screen.
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 542, 366);
        Skin::SetWindowBackground(&window, Skin::WindowBackground);
        panel = new PropertiesPanel(table, icons, &window);
        panel->FillIconPicker();
        panel->FillPropertiesPanel(kF5Row);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void OpenPicker() {
        if (panel->ListView2->isHidden())
            panel->IconSpeedButton->click();
        ASSERT_TRUE(panel->ListView2->isVisible());
    }

    void ClickIcon(int icon) {
        IconPicker* picker = panel->ListView2;
        const QModelIndex index = picker->model()->index(icon, 0);
        picker->scrollTo(index);
        QTest::mouseClick(picker->viewport(), Qt::LeftButton, {},
                          picker->visualRect(index).center());
    }

    HotkeyTable table;
    HotkeyIconList icons;
    QWidget window;
    PropertiesPanel* panel = nullptr;
};

TEST_F(Panel, FillLoadsTheRowAndLeavesApplyDisabled) {
    struct Row {
        int row;
        bool enabled, alt, ctrl, shift, win;
        int keyPosition;
        QString code, execute;
        int image;
    };
    const Row rows[] = {
        {kF5Row, true, true, true, false, false, 80, "116", "calc.exe", 12},
        {kAltOnlyRow, false, true, false, false, false, 28, "67", "cmd.exe", 3},
        {kUnknownKeyRow, true, false, false, true, false, -1, "", "x", -1},
        {kLongTargetRow, true, false, true, false, true, 26, "65", kLongTarget, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.row);
        panel->FillPropertiesPanel(kF5Row);
        panel->AltCheckBox->click();
        OpenPicker();
        panel->FillPropertiesPanel(r.row);
        EXPECT_TRUE(panel->isEnabled());
        EXPECT_FALSE(panel->ButtonApply->isEnabled());
        EXPECT_TRUE(panel->ListView2->isHidden());
        EXPECT_EQ(panel->EnabledCheckBox->isChecked(), r.enabled);
        EXPECT_EQ(panel->KeyComboBox->currentIndex(), r.keyPosition);
        EXPECT_EQ(panel->KeyComboBox->currentText(), r.code);
        const PanelValues v = panel->Values();
        EXPECT_EQ(v.alt, r.alt);
        EXPECT_EQ(v.ctrl, r.ctrl);
        EXPECT_EQ(v.shift, r.shift);
        EXPECT_EQ(v.win, r.win);
        EXPECT_EQ(panel->WinCheckBox->isChecked(), r.win);
        EXPECT_EQ(v.keyPosition, r.keyPosition);
        EXPECT_EQ(v.execute, r.execute);
        EXPECT_EQ(v.image, r.image);
        EXPECT_EQ(panel->EditExecute->cursorPosition(), 0) << "the target shows its start";
        if (r.image < 0)
            EXPECT_TRUE(panel->IconSpeedButton->icon().isNull());
        else
            EXPECT_EQ(Picture(panel->IconSpeedButton->icon()), Picture(icons.icon(r.image)));
    }
}

TEST_F(Panel, TheKeyListDropsAboutTenKeys) {
    panel->CharComboBox->showPopup();
    QAbstractItemView* view = panel->CharComboBox->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    EXPECT_EQ(view->window()->height() / view->sizeHintForRow(0), 10);
}

TEST_F(Panel, ClearEmptiesAndDisablesButLeavesThePicker) {
    ASSERT_EQ(panel->Values().image, 12);
    for (int row : {-1, static_cast<int>(table.count()), -2}) {
        SCOPED_TRACE(row);
        panel->FillPropertiesPanel(kF5Row);
        panel->AltCheckBox->click();
        if (row == -2)
            panel->ClearPropertiesPanel();
        else
            panel->FillPropertiesPanel(row);
        EXPECT_FALSE(panel->isEnabled());
        for (QCheckBox* box : {panel->EnabledCheckBox, panel->AltCheckBox, panel->ControlCheckBox,
                               panel->ShiftCheckBox, panel->WinCheckBox})
            EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_EQ(panel->CharComboBox->currentText(), "0");
        EXPECT_EQ(panel->KeyComboBox->currentText(), "48");
        EXPECT_TRUE(panel->EditExecute->text().isEmpty());
        EXPECT_FALSE(panel->ButtonApply->isEnabled());
        EXPECT_TRUE(panel->IconSpeedButton->icon().isNull());
        EXPECT_EQ(panel->Values().image, 12);
    }
}

TEST_F(Panel, EveryChangeEnablesApply) {
    panel->BrowseForFile = [](QWidget*) { return QStringLiteral("/usr/bin/env"); };
    struct Row {
        const char* change;
        std::function<void()> act;
    };
    const Row rows[] = {
        {"Enabled", [&] { panel->EnabledCheckBox->click(); }},
        {"Alt", [&] { panel->AltCheckBox->click(); }},
        {"Control", [&] { panel->ControlCheckBox->click(); }},
        {"Shift", [&] { panel->ShiftCheckBox->click(); }},
        {"Win", [&] { panel->WinCheckBox->click(); }},
        {"key list", [&] { QTest::keyClick(panel->CharComboBox, Qt::Key_Down); }},
        {"target typed", [&] { QTest::keyClicks(panel->EditExecute, "x"); }},
        {"functions menu", [&] { panel->PopupMenuFunctions->actions().at(0)->trigger(); }},
        {"icon chosen", [&] { OpenPicker(), ClickIcon(3); }},
        {"Browse", [&] { panel->ButtonBrowse->Click(); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.change);
        panel->FillPropertiesPanel(kF5Row);
        const PanelValues before = panel->Values();
        ASSERT_FALSE(panel->ButtonApply->isEnabled());
        r.act();
        const PanelValues after = panel->Values();
        EXPECT_TRUE(before.enabled != after.enabled || before.alt != after.alt ||
                    before.ctrl != after.ctrl || before.shift != after.shift ||
                    before.win != after.win || before.keyPosition != after.keyPosition ||
                    before.execute != after.execute || before.image != after.image)
            << "the action changed nothing";
        EXPECT_TRUE(panel->ButtonApply->isEnabled());
        EXPECT_EQ(panel->KeyComboBox->currentIndex(), panel->CharComboBox->currentIndex());
    }
}

TEST_F(Panel, ApplyDoneShowsTheOutcome) {
    struct Row {
        const char* name;
        ApplyOutcome outcome;
        bool enabledAfter, applyAfter;
    };
    const Row rows[] = {
        {"nothing selected", {false, {}, false, true}, true, true},
        {"applied", {true, {}, false, false}, true, false},
        {"incomplete", {true, QStringLiteral("Incomplete!"), true, false}, true, true},
        {"clash", {true, QStringLiteral("clash"), true, true}, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        panel->FillPropertiesPanel(kF5Row);
        panel->ShiftCheckBox->click();
        ASSERT_TRUE(panel->EnabledCheckBox->isChecked());
        ASSERT_TRUE(panel->ButtonApply->isEnabled());
        panel->ApplyDone(r.outcome);
        EXPECT_EQ(panel->EnabledCheckBox->isChecked(), r.enabledAfter);
        EXPECT_EQ(panel->ButtonApply->isEnabled(), r.applyAfter);
    }
}

TEST_F(Panel, FunctionsMenuDropsAtTheButtonAndReplacesTheTarget) {
    QStringList texts;
    for (QAction* a : panel->PopupMenuFunctions->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, QStringList({"VolumeUp", "VolumeDown", "VolumeMute", "-",
                                  "Show/Hide Application", "Pause/Resume Hotkeys"}));

    panel->ButtonFunctions->Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel->PopupMenuFunctions));
    // Window (100, 100) + group box (2, 272) + button (428, 62) + the 16 of a menu button.
    EXPECT_EQ(panel->FunctionsMenuPoint(), QPoint(530, 450));
    EXPECT_EQ(panel->PopupMenuFunctions->pos(), QPoint(530, 450));

    ASSERT_EQ(panel->EditExecute->text(), "calc.exe");
    panel->PopupMenuFunctions->findChild<QAction*>("VolumeMute1")->trigger();
    panel->PopupMenuFunctions->hide();
    EXPECT_EQ(panel->EditExecute->text(), "VolumeMute");
    EXPECT_TRUE(panel->ButtonApply->isEnabled());
}

// Each item of the functions menu, by its name, puts the one target that runs the function.
TEST_F(Panel, EveryFunctionsMenuItemPutsATargetTheExecutorRuns) {
    const std::pair<const char*, const char*> items[] = {
        {"VolumeUp1", "VolumeUp"},
        {"VolumeDown1", "VolumeDown"},
        {"VolumeMute1", "VolumeMute"},
        {"ShowHideaplication1", "Show/Hide Application"},
        {"PauseResumeHotkeys1", "Pause/Resume Hotkeys"},
    };
    for (const auto& [name, target] : items) {
        SCOPED_TRACE(name);
        QAction* item = panel->PopupMenuFunctions->findChild<QAction*>(name);
        ASSERT_TRUE(item);
        item->trigger();
        EXPECT_EQ(panel->EditExecute->text(), target);
        EXPECT_TRUE(IsBuiltinTarget(panel->EditExecute->text()));
    }
}

TEST_F(Panel, IconPickerTogglesChoosesAndIgnoresAClickBeside) {
    IconPicker* picker = panel->ListView2;
    EXPECT_EQ(picker->Count(), HotkeyIconList::Count);
    panel->IconSpeedButton->click();
    EXPECT_TRUE(picker->isVisible());
    panel->IconSpeedButton->click();
    EXPECT_TRUE(picker->isHidden());

    // A click beside the icons chooses nothing and leaves the picker open.
    OpenPicker();
    QPoint beside(-1, -1);
    const QRect area = picker->viewport()->rect();
    for (int y = area.bottom(); y > 0 && beside.x() < 0; y -= 2)
        for (int x = 0; x < area.width() && beside.x() < 0; x += 2)
            if (!picker->indexAt(QPoint(x, y)).isValid())
                beside = QPoint(x, y);
    ASSERT_GE(beside.x(), 0) << "no free place in the picker";
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, beside);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_FALSE(panel->ButtonApply->isEnabled());
    EXPECT_EQ(Picture(panel->IconSpeedButton->icon()), Picture(icons.icon(12)));
    EXPECT_EQ(panel->Values().image, -1);

    ClickIcon(40);
    EXPECT_TRUE(picker->isHidden());
    EXPECT_TRUE(panel->ButtonApply->isEnabled());
    EXPECT_EQ(Picture(panel->IconSpeedButton->icon()), Picture(icons.icon(40)));
    EXPECT_EQ(panel->Values().image, 40);
    EXPECT_EQ(table.at(kF5Row).Image, 12) << "the entry changes only on Apply";
}

// From the keyboard: Space on the icon button opens the picker with the keyboard in it, the
// arrows move, Enter chooses; Escape closes it without a choice. Either way the keyboard comes
// back to the icon button.
TEST_F(Panel, TheIconIsChosenFromTheKeyboard) {
    IconPicker* picker = panel->ListView2;
    panel->IconSpeedButton->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(panel->IconSpeedButton->hasFocus());
    // Each round moves one icon down from the icon chosen; Escape leaves the choice as it was.
    const struct {
        Qt::Key end;
        int image;
    } rounds[] = {{Qt::Key_Escape, 12}, {Qt::Key_Return, 13}};
    for (const auto& round : rounds) {
        QTest::keyClick(panel->IconSpeedButton, Qt::Key_Space);
        ASSERT_TRUE(picker->isVisible());
        ASSERT_TRUE(picker->hasFocus());
        QTest::keyClick(picker, Qt::Key_Down);
        QTest::keyClick(picker, round.end);
        EXPECT_TRUE(picker->isHidden());
        EXPECT_TRUE(panel->IconSpeedButton->hasFocus());
        EXPECT_EQ(panel->Values().image, round.image);
    }
    EXPECT_TRUE(panel->ButtonApply->isEnabled());
}

TEST_F(Panel, ThePointerElsewhereClosesThePicker) {
    panel->AltCheckBox->click(); // Apply reacts to the pointer only while enabled
    struct Row {
        const char* over;
        QWidget* widget;
        QPoint at; // in the widget; (-1, -1) for its centre
        bool closes;
    };
    const Row rows[] = {
        {"Apply", panel->ButtonApply, {-1, -1}, true},
        {"Test", panel->ButtonTest, {-1, -1}, true},
        {"functions", panel->ButtonFunctions, {-1, -1}, true},
        {"Browse", panel->ButtonBrowse, {-1, -1}, true},
        {"target field", panel->EditExecute, {300, 12}, true},
        {"Alt", panel->AltCheckBox, {30, 1}, true},
        {"panel's free area", panel, {420, 40}, true},
        {"the picker", panel->ListView2->viewport(), {-1, -1}, false},
        {"icon button", panel->IconSpeedButton, {-1, -1}, false},
    };
    ASSERT_EQ(panel->childAt(420, 40), nullptr);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.over);
        OpenPicker();
        QTest::mouseMove(panel->ListView2->viewport(), QPoint(5, 5));
        ASSERT_TRUE(panel->ListView2->isVisible());
        const QPoint at = r.at.x() < 0 ? r.widget->rect().center() : r.at;
        ASSERT_EQ(window.childAt(r.widget->mapTo(&window, at)), r.widget);
        QTest::mouseMove(r.widget, at);
        EXPECT_EQ(panel->ListView2->isHidden(), r.closes);
    }
    // A click on the group box closes it too.
    OpenPicker();
    QTest::mouseMove(panel->ListView2->viewport(), QPoint(5, 5));
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(420, 40));
    EXPECT_TRUE(panel->ListView2->isHidden());
}

TEST_F(Panel, BrowseTakesAChosenFileOnly) {
    QWidget* dialogParent = nullptr;
    QString answer;
    panel->BrowseForFile = [&](QWidget* parent) {
        dialogParent = parent;
        return answer;
    };
    panel->ButtonBrowse->Click(); // cancelled, or confirmed with an empty name
    EXPECT_EQ(dialogParent, panel);
    EXPECT_EQ(panel->EditExecute->text(), "calc.exe");
    EXPECT_FALSE(panel->ButtonApply->isEnabled());
    answer = QStringLiteral("/usr/bin/env");
    panel->ButtonBrowse->Click();
    EXPECT_EQ(panel->EditExecute->text(), "/usr/bin/env");
    EXPECT_TRUE(panel->ButtonApply->isEnabled());
}

TEST(PropertiesPanelBrowse, TheFilterShowsFilesWithoutAnExtension) {
    // The patterns are what a file dialog takes from between the filter's parentheses.
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("\\(([^()]*)\\)$")).match(kBrowseFilter);
    ASSERT_TRUE(m.hasMatch());
    const QStringList patterns = m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"program", "notes.txt"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(patterns, QDir::Files, QDir::Name),
              QStringList({"notes.txt", "program"}));
}

TEST_F(Panel, ApplyAndTestAreReportedToTheWindow) {
    // Test runs the row's stored target: the window reads it from the table, so the panel
    // only reports the click, whatever the target field holds.
    QSignalSpy applies(panel, &PropertiesPanel::applyClicked);
    QSignalSpy tests(panel, &PropertiesPanel::testClicked);
    panel->ButtonTest->Click();
    EXPECT_EQ(tests.count(), 1);
    EXPECT_EQ(applies.count(), 0);
    panel->ButtonApply->Click();
    EXPECT_EQ(applies.count(), 1);
}

// Counts which rows the view asks for their icon.
class IconRequests : public QIdentityProxyModel {
public:
    std::set<int> rows;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DecorationRole)
            const_cast<IconRequests*>(this)->rows.insert(index.row());
        return QIdentityProxyModel::data(index, role);
    }
};

TEST(IconPickerLoad, OnlyTheVisibleIconsAreFetched) {
    HotkeyIconList icons;
    IconPicker picker(icons, nullptr);
    picker.Fill();
    IconRequests requests;
    requests.setSourceModel(picker.model());
    picker.setModel(&requests);
    picker.resize(313, 73);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    picker.doItemsLayout();
    picker.grab();
    ASSERT_FALSE(requests.rows.empty()) << "the picker drew no icon";
    EXPECT_LT(requests.rows.size(), static_cast<size_t>(HotkeyIconList::Count));
}

TEST(PropertiesPanelStart, NoNativeWindowsAndNoGradientsAtSizeBeforeTheFirstShow) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    HotkeyIconList icons;
    QWidget window;
    PropertiesPanel panel(table, icons, &window);
    panel.FillIconPicker();
    panel.FillPropertiesPanel(0);
    QList<QWidget*> widgets = panel.findChildren<QWidget*>();
    widgets << &panel;
    for (QWidget* w : widgets)
        EXPECT_FALSE(w->testAttribute(Qt::WA_WState_Created)) << w->metaObject()->className();
    const QSize face(100 - 2, 25 - 2); // Apply's face gradient at its laid-out size
    EXPECT_NE(panel.ButtonApply->FaceBitmap().size(), face);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(panel.ButtonApply->FaceBitmap().size(), face);
}

TEST_F(Panel, Screenshots) {
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
    ASSERT_TRUE(QDir().mkpath(dir));
    panel->FillPropertiesPanel(0);
    const QImage filled = panel->grab().toImage();
    ASSERT_TRUE(filled.save(dir + QStringLiteral("/properties-panel.png")));
    OpenPicker();
    // 52 icons do not fit: the picker scrolls.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return panel->ListView2->horizontalScrollBar()->isVisible(); }));
    const QImage open = panel->grab().toImage();
    ASSERT_TRUE(open.save(dir + QStringLiteral("/properties-panel-picker.png")));
    // The open picker covers the check boxes.
    const QPoint enabledBox = panel->EnabledCheckBox->geometry().center();
    EXPECT_NE(filled.pixel(enabledBox), open.pixel(enabledBox));
}

} // namespace
