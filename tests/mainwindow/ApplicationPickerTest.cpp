// SPDX-License-Identifier: GPL-3.0-or-later
// "Application...": the installed applications to choose a target from, on the offscreen
// platform, with a catalog of the test's own.
#include "mainwindow/ApplicationPicker.h"
#include "controls/TdxButton.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyIconList.h"
#include "mainwindow/PropertiesPanel.h"
#include "platform/AppCatalog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ListedApps : public AppCatalog {
public:
    QList<InstalledApplication> Applications() override {
        ++reads;
        return {{"org.gnome.Calculator.desktop", "Calculator", "accessories-calculator"},
                {"firefox.desktop", "Firefox", "/usr/share/pixmaps/none.png"},
                {"org.gnome.TextEditor.desktop", "Text Editor", ""}};
    }
    int reads = 0;
};

QStringList shownNames(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isHidden())
            names << list->item(i)->text();
    }
    return names;
}

} // namespace

TEST(ApplicationPicker, ReadsTheCatalogOnlyOnceShownAndFiltersByNameOrId) {
    ListedApps apps;
    ApplicationPicker picker(apps, nullptr);
    EXPECT_EQ(apps.reads, 0);
    EXPECT_TRUE(picker.ChosenId().isEmpty());
    picker.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return picker.Applications->count() == 3; }));
    EXPECT_EQ(apps.reads, 1);
    EXPECT_EQ(shownNames(picker.Applications),
              (QStringList{"Calculator", "Firefox", "Text Editor"}));
    EXPECT_EQ(picker.ChosenId(), "org.gnome.Calculator.desktop");

    // By name in any case, by id, or nothing left to choose.
    for (const auto& [filter, names] : {std::pair<QString, QStringList>{"EDIT", {"Text Editor"}},
                                        {"firefox.", {"Firefox"}},
                                        {"nothing like it", {}}}) {
        QTest::keyClicks(picker.Filter, filter);
        EXPECT_EQ(shownNames(picker.Applications), names) << filter.toStdString();
        EXPECT_EQ(picker.ChosenId().isEmpty(), names.isEmpty()) << filter.toStdString();
        picker.Filter->clear();
    }
    QTest::keyClicks(picker.Filter, "text");
    QTest::keyClick(picker.Filter, Qt::Key_Return);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.ChosenId(), "org.gnome.TextEditor.desktop");
    picker.show();
    EXPECT_EQ(apps.reads, 1);
}

TEST(ApplicationPicker, TheFunctionsMenuItemPutsTheChosenIdAsTarget) {
    HotkeyTable table;
    HotkeyEntry entry;
    entry.Key = QStringLiteral("F5");
    entry.Execute = QStringLiteral("calc.exe");
    table.append(entry);
    HotkeyIconList icons;
    PropertiesPanel panel(table, icons, nullptr);
    const qsizetype builtins = panel.PopupMenuFunctions->actions().size();
    ListedApps apps;
    panel.OfferApplications(apps);
    ASSERT_EQ(panel.PopupMenuFunctions->actions().size(), builtins + 2);
    QAction* item = panel.PopupMenuFunctions->actions().last();
    EXPECT_EQ(item->text(), "Application...");
    panel.FillPropertiesPanel(0);
    QString answer;
    panel.ChooseApplication = [&](QWidget*) { return answer; };
    item->trigger();
    EXPECT_EQ(panel.EditExecute->text(), "calc.exe") << "cancelled";
    answer = "firefox.desktop";
    item->trigger();
    EXPECT_EQ(panel.EditExecute->text(), "firefox.desktop");
    EXPECT_TRUE(panel.ButtonApply->isEnabled());
    EXPECT_EQ(apps.reads, 0);
}
