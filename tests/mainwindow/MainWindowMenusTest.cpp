// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainWindowMenus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A menu's items as "name caption", a separator as "-", a submenu's title as "name >caption".
QStringList Layout(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            out << QStringLiteral("-");
        else if (a->menu())
            out << a->menu()->objectName() + QStringLiteral(" >") + a->text();
        else
            out << a->objectName() + QLatin1Char(' ') + a->text();
    }
    return out;
}

struct MenuRow {
    const char* name;
    QMenu* const MainWindowMenus::*menu;
    QStringList items;
};

const MenuRow kMenus[] = {
    {"Hotkeys",
     &MainWindowMenus::PopupMenuHotKeys,
     {"New1 New", "Delete1 Delete Selected", "-", "Resettodefault1 Reset all to default", "-",
      "Pausehotkeys1 Pause hotkeys"}},
    {"View",
     &MainWindowMenus::PopupMenuView,
     {"Options1 Options", "-", "Refresh1 Refresh", "Realignlist1 Realign list", "-",
      "Propertiespanel1 Properties panel"}},
    {"Window",
     &MainWindowMenus::PopupMenuWindow,
     {"Hide1 Hide", "Minimize1 Minimize", "-", "Exit1 Exit"}},
    {"Help",
     &MainWindowMenus::PopupMenuHelp,
     {"Whatsnew1 What's new", "Online1 >Online", "-", "About1 About"}},
    {"Context",
     &MainWindowMenus::PopupMenu1,
     {"About2 About", "Options2 Options", "Whatsnew2 What's new", "-", "Hide2 Hide",
      "Minimize2 Minimize", "-", "Exit2 Exit"}},
    {"HotkeysList",
     &MainWindowMenus::PopupMenuHotkeysList,
     {"Newhotkey1 New hotkey", "Properties1 Properties", "-", "Deleteselected1 Delete selected"}},
};

class MainWindowMenusLayout : public testing::TestWithParam<MenuRow> {
protected:
    QWidget owner;
    MainWindowMenus menus{&owner};
};

TEST_P(MainWindowMenusLayout, ItemsInOrderWithTheirNamesAndCaptions) {
    const MenuRow& row = GetParam();
    EXPECT_EQ(Layout(menus.*row.menu), row.items);
}

INSTANTIATE_TEST_SUITE_P(EveryMenu, MainWindowMenusLayout, testing::ValuesIn(kMenus),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowMenus, EachMenuHasItsOwnActionsAndTheNamedMembersAreThem) {
    QWidget owner;
    MainWindowMenus menus(&owner);
    EXPECT_EQ(Layout(menus.Online1),
              QStringList({"Submitabug1 Submit a bug", "Checkforupdates1 Check for updates",
                           "Forum1 Forum"}));
    // The Window menu and the context menu end alike, but each with actions of its own.
    const std::pair<QAction*, QAction*> twins[] = {
        {menus.Hide1, menus.Hide2}, {menus.Minimize1, menus.Minimize2}, {menus.Exit1, menus.Exit2}};
    for (const auto& [first, second] : twins) {
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first, second);
        EXPECT_TRUE(menus.PopupMenuWindow->actions().contains(first))
            << first->objectName().toStdString();
        EXPECT_TRUE(menus.PopupMenu1->actions().contains(second))
            << second->objectName().toStdString();
    }
    EXPECT_TRUE(menus.Propertiespanel1->isCheckable());
    EXPECT_TRUE(menus.Propertiespanel1->isChecked());
}

} // namespace
