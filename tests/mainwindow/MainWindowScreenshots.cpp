// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window for review, written under the build tree: the panel shown and
// folded, a row selected, the icon picker open, a refused row's tooltip, and every colour
// scheme.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "Screenshots.h"
#include "controls/Look.h"
#include "controls/Skin.h"
#include "controls/WindowShape.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/IconPicker.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "mainwindow/TForm1.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
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
