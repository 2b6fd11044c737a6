// Pictures of the main window for review, written under the build tree: the panel shown and
// folded, a row selected, the icon picker open, and a refused row's tooltip.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "HotkeyListView.h"
#include "HotkeyRegistration.h"
#include "HotkeyTable.h"
#include "IconPicker.h"
#include "MainWindowMenus.h"
#include "PropertiesPanel.h"
#include "SettingsStore.h"
#include "TForm1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

QString shotPath(const char* name) {
    const QString dir = QStringLiteral(ORVANE_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(name);
}

// The window as the screen shows it: its outline cut, the rest in the desktop's grey.
QImage look(QWidget* window) {
    QImage shot(window->size(), QImage::Format_RGB32);
    shot.fill(QColor(90, 90, 90));
    QPainter p(&shot);
    p.setClipRegion(window->mask().isEmpty() ? QRegion(window->rect()) : window->mask());
    p.drawPixmap(0, 0, window->grab());
    return shot;
}

} // namespace

TEST(MainWindowScreenshots, PanelShownAndFoldedPickerOpenAndARefusedRow) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    FakeHotkeyBackend backend;
    // Another program holds Ctrl+Alt+C: the calculator's row is refused at start.
    backend.takenElsewhere[{3, 'C'}] = true;
    SettingsStore settings;
    settings.LoadDefaults();
    FakeWindowActivator activator;
    TForm1 form(table, backend, settings, activator);
    form.PrepareLists();
    HotkeyRegistration::RegistrationPass(table, backend);
    form.ShowMainWindow(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    form.ListView1->SelectRow(1);
    ASSERT_EQ(form.GroupBoxProperties->EditExecute->text(), "C:\\");
    EXPECT_TRUE(look(&form).save(shotPath("main-window.png")));

    form.GroupBoxProperties->IconSpeedButton->click();
    ASSERT_TRUE(form.GroupBoxProperties->ListView2->isVisible());
    EXPECT_TRUE(look(&form).save(shotPath("main-window-icon-picker.png")));
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
    QImage withTip = look(&form);
    {
        QPainter p(&withTip);
        p.drawPixmap(form.mapFromGlobal(tipLabel->pos()), tipLabel->grab());
    }
    EXPECT_TRUE(withTip.save(shotPath("main-window-tooltip.png")));
    QToolTip::hideText();

    form.Menus->Propertiespanel1->trigger();
    ASSERT_EQ(form.height(), TForm1::FoldedHeight);
    EXPECT_TRUE(look(&form).save(shotPath("main-window-folded.png")));
}
