// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window for review, written under the build tree: the panel shown and
// folded, a row selected, the icon picker open, a refused row's tooltip, a recorded
// combination, the key list's end, and every colour scheme.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "FormFixture.h"
#include "Screenshots.h"
#include "controls/Look.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/WindowShape.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/IconPicker.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "mainwindow/TForm1.h"
#include "settings/SettingsStore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

TEST(MainWindowScreenshots, PanelShownAndFoldedPickerOpenAndARefusedRow) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    FakeHotkeyBackend backend;
    // Another program holds Ctrl+Alt+C: the calculator's row is refused at start.
    backend.takenElsewhere[{3, 'C'}] = true;
    SettingsStore settings;
    settings.LoadDefaults();
    FakeWindowActivator activator;
    Look look;
    TForm1 form(table, backend, settings, look);
    form.PrepareLists();
    HotkeyRegistration::RegistrationPass(table, backend);
    activator.Activate(&form, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    form.ListView1->SelectRow(1);
    ASSERT_EQ(form.GroupBoxProperties->EditExecute->text(), "C:\\");
    EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath("main-window.png")));

    form.GroupBoxProperties->IconSpeedButton->click();
    ASSERT_TRUE(form.GroupBoxProperties->ListView2->isVisible());
    EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath("main-window-icon-picker.png")));
    form.GroupBoxProperties->HideIconPicker();

    // The tooltip of the refused row, drawn where the pointer rests over it.
    const QRect row = form.ListView1->visualRect(table.index(2, 1));
    const QPoint at = row.center();
    const QString tip = table.data(table.index(2, 1), Qt::ToolTipRole).toString();
    ASSERT_FALSE(tip.isEmpty());
    ASSERT_FALSE(table.at(2).Checked);
    QToolTip::showText(form.ListView1->viewport()->mapToGlobal(at), tip, form.ListView1);
    QWidget* tipLabel = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            tipLabel = w;
    ASSERT_NE(tipLabel, nullptr);
    QImage withTip = WindowLook(&form);
    {
        QPainter p(&withTip);
        p.drawPixmap(form.mapFromGlobal(tipLabel->pos()), tipLabel->grab());
    }
    EXPECT_TRUE(withTip.save(ScreenshotPath("main-window-tooltip.png")));
    QToolTip::hideText();

    form.Menus->Propertiespanel1->trigger();
    ASSERT_EQ(form.height(), TForm1::FoldedHeight);
    EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath("main-window-folded.png")));
}

// A desktop colour no scheme has, behind the see-through pictures.
const QColor kDesktop(0, 150, 110);

TEST(MainWindowScreenshots, EverySchemeAndTheBlackOneSeeThrough) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    FakeHotkeyBackend backend;
    SettingsStore settings;
    settings.LoadDefaults();
    FakeWindowActivator activator;
    Look look;
    TForm1 form(table, backend, settings, look);
    form.PrepareLists();
    activator.Activate(&form, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.ListView1->SelectRow(1);

    for (const char* scheme : Skin::SchemeNames) {
        look.SetPalette(Skin::SchemePalette(QString::fromLatin1(scheme)));
        const QString name = QStringLiteral("main-window-scheme-%1.png").arg(scheme).toLower();
        EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath(qPrintable(name))));
    }
    // Black is the last scheme: its grey background keyed out shows the desktop, here in a
    // colour no scheme has.
    settings.setValue(Setting::MainTransparent, 1);
    ASSERT_NE(form.mask(), WindowShapeRegion(form.size()));
    EXPECT_TRUE(WindowLook(&form, kDesktop)
                    .save(ScreenshotPath("main-window-scheme-black-transparent.png")));
}

// A combination recorded with Super into the panel, and the key list open at its end, where
// the keys added after the first 90 are.
using MainWindowShots = FormFixture;
TEST_F(MainWindowShots, RecordedWinCombinationAndTheKeyListsEnd) {
    TForm1& form = *this->form;
    form.ListView1->SelectRow(1);
    PropertiesPanel* panel = form.GroupBoxProperties;

    panel->ButtonRecord->Click();
    ASSERT_EQ(QWidget::keyboardGrabber(), panel->ButtonRecord);
    EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath("main-window-recording.png")));
    QTest::keyClick(panel->ButtonRecord, Qt::Key_F13, Qt::MetaModifier | Qt::ShiftModifier);
    ASSERT_TRUE(panel->WinCheckBox->isChecked());
    ASSERT_EQ(panel->CharComboBox->currentText(), "F13");
    EXPECT_TRUE(WindowLook(&form).save(ScreenshotPath("main-window-recorded-win.png")));

    panel->CharComboBox->setCurrentIndex(KeyTable::Count - 1);
    panel->CharComboBox->showPopup();
    QAbstractItemView* view = panel->CharComboBox->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    view->scrollToBottom();
    // The open list hangs below the window: the picture takes both.
    QWidget* popup = view->window();
    const QRect both = form.geometry().united(popup->geometry());
    QImage shot(both.size(), QImage::Format_RGB32);
    shot.fill(QColor(90, 90, 90));
    {
        QPainter p(&shot);
        p.drawImage(form.pos() - both.topLeft(), WindowLook(&form));
        p.drawPixmap(popup->pos() - both.topLeft(), popup->grab());
    }
    EXPECT_TRUE(shot.save(ScreenshotPath("main-window-key-list-end.png")));
    // Every name shows whole in the open list.
    EXPECT_GE(view->viewport()->width(),
              view->fontMetrics().horizontalAdvance(QStringLiteral("Browser Favorites")));
    panel->CharComboBox->hidePopup();
}
