// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyTable.h"
#include "FakeHotkeyBackend.h"
#include "core/ActionExecutor.h"
#include "core/FirstStart.h"
#include "core/HotkeyRegistration.h"
#include "core/ProjectLinks.h"

#include <gtest/gtest.h>

TEST(ModifierText, AllCombinationsInFixedOrder) {
    EXPECT_EQ(ModifierText(false, false, false), "");
    EXPECT_EQ(ModifierText(true, false, false), "Alt+");
    EXPECT_EQ(ModifierText(false, true, false), "Ctrl+");
    EXPECT_EQ(ModifierText(false, false, true), "Shift+");
    EXPECT_EQ(ModifierText(true, true, false), "Alt+Ctrl+");
    EXPECT_EQ(ModifierText(true, false, true), "Alt+Shift+");
    EXPECT_EQ(ModifierText(false, true, true), "Ctrl+Shift+");
    EXPECT_EQ(ModifierText(true, true, true), "Alt+Ctrl+Shift+");
    EXPECT_EQ(ModifierText(false, false, false, true), "Win+");
    EXPECT_EQ(ModifierText(false, false, true, true), "Win+Shift+");
    EXPECT_EQ(ModifierText(true, true, true, true), "Win+Alt+Ctrl+Shift+");
}

TEST(ModifierBits, OnlyAnExactOneCounts) {
    HotkeyEntry e;
    e.Alt = "1";
    e.Ctrl = "1";
    e.Shift = "1";
    EXPECT_EQ(ModifierBits(e), 7u);
    e.Win = "1";
    EXPECT_EQ(ModifierBits(e), 15u);
    e.Win = "0";
    e.Ctrl = "2";
    EXPECT_EQ(ModifierBits(e), 5u);
    e.Alt = " 1";
    EXPECT_EQ(ModifierBits(e), 4u);
    e.Shift = "0";
    EXPECT_EQ(ModifierBits(e), 0u);
}

TEST(DefaultHotkeyTable, TwentyEnabledEntriesWithConsistentFlags) {
    const auto table = DefaultHotkeyTable();
    ASSERT_EQ(table.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        const HotkeyEntry& e = table[static_cast<size_t>(i)];
        EXPECT_TRUE(e.Checked);
        EXPECT_EQ(e.ID, QString::number(i + 1));
        EXPECT_EQ(e.Image, i);
        EXPECT_EQ(e.Flags, ModifierText(e.Alt == "1", e.Ctrl == "1", e.Shift == "1")) << i;
        EXPECT_FALSE(e.Execute.isEmpty());
    }
    // The project's own addresses, as the About box shows them.
    EXPECT_EQ(table[0].Execute, "mailto: " + QString(ProjectLinks::EMail));
    EXPECT_EQ(table[13].Execute, ProjectLinks::WebSite);
    EXPECT_EQ(table[8].Execute, "\\\\NetworkComputer");
    EXPECT_EQ(table[11].Execute, "Show/Hide Application");
    EXPECT_EQ(table[14].Key, "Down");
    EXPECT_EQ(table[16].Key, "Up");
    EXPECT_EQ(table[18].Execute, "c:\\Program Files\\Winamp\\winamp.exe");
}

TEST(DefaultHotkeyTable, NoTwoEntriesShareACombination) {
    const auto table = DefaultHotkeyTable();
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = i + 1; j < table.size(); ++j)
            EXPECT_FALSE(table[i].Key == table[j].Key && table[i].Flags == table[j].Flags)
                << i << " " << j;
}

TEST(HotkeyTable, ModelShowsEightColumnsAndCheckState) {
    HotkeyTable t;
    t.appendMany(DefaultHotkeyTable());
    EXPECT_EQ(t.rowCount(), 20);
    EXPECT_EQ(t.columnCount(), 8);
    EXPECT_EQ(t.data(t.index(2, HotkeyTable::ColKey), Qt::DisplayRole).toString(), "C");
    EXPECT_EQ(t.data(t.index(2, HotkeyTable::ColID), Qt::DisplayRole).toString(), "3");
    EXPECT_EQ(t.data(t.index(2, HotkeyTable::ColAlt), Qt::DisplayRole).toString(), "1");
    EXPECT_EQ(t.data(t.index(2, HotkeyTable::ColWin), Qt::DisplayRole).toString(), "0");
    EXPECT_EQ(t.data(t.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    t.setChecked(2, false);
    EXPECT_EQ(t.data(t.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST(HotkeyTable, UserCheckToggleGoesToTheHandlerNotTheEntry) {
    HotkeyTable t;
    t.appendMany(DefaultHotkeyTable());
    int seenRow = -1;
    bool seenChecked = true;
    t.setCheckToggledHandler([&](int row, bool checked) {
        seenRow = row;
        seenChecked = checked;
    });
    EXPECT_TRUE(t.setData(t.index(4, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(seenRow, 4);
    EXPECT_FALSE(seenChecked);
    EXPECT_TRUE(t.at(4).Checked); // only Apply changes the entry
}

TEST(HotkeyTable, RowOfIdFindsTheEntryWhereverItStands) {
    HotkeyTable t;
    t.appendMany(DefaultHotkeyTable());
    HotkeyEntry e = t.at(0);
    e.ID = "5";
    t.replace(0, e);
    EXPECT_EQ(t.rowOfId(5), 0); // the first entry with that ID wins
    EXPECT_EQ(t.rowOfId(20), 19);
    EXPECT_EQ(t.rowOfId(99), -1);
}

// A first start on a system that lacks some of the default table's programs: the rows whose
// keys desktop programs use, and the rows that open nothing, start unticked and say why; the
// registration pass keeps the reason, and only the rest take their combinations.
TEST(FirstStart, DefaultRowsThatTakeCommonKeysOrOpenNothingStartUntickedWithTheReason) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    const QString winamp = "c:\\Program Files\\Winamp\\winamp.exe";
    const QStringList missing{"dxdiag.exe", "sol.exe", "winmine.exe", winamp};
    // The desktop's shell knows nothing of the built-in functions, as a real one would not.
    FirstStart::FitDefaultTable(table, [&](const QString& target) {
        return !missing.contains(target) && !IsBuiltinTarget(target);
    });
    FakeHotkeyBackend backend;
    HotkeyRegistration::RegistrationPass(table, backend);

    const std::map<int, QString> off{
        {0, "Off: Ctrl+Shift+E is the explorer in code editors and a split in terminals"},
        {3, "Off: Ctrl+Shift+C is copy in terminals"},
        {4, "Off: nothing on this system opens dxdiag.exe"},
        {6, "Off: Ctrl+Shift+M is the responsive design view in browsers"},
        {8, "Off: Ctrl+Shift+N is a new window in terminals and a new folder in file managers"},
        {12, "Off: Ctrl+Shift+S is save as in editors"},
        {17, "Off: nothing on this system opens winmine.exe"},
        {18, "Off: nothing on this system opens " + winamp},
        {19, "Off: Ctrl+Shift+W is close tab in terminals and close window in browsers"},
    };
    for (int row = 0; row < table.count(); ++row) {
        SCOPED_TRACE(row);
        const auto it = off.find(row);
        const QString tooltip = table.data(table.index(row, 0), Qt::ToolTipRole).toString();
        EXPECT_EQ(table.at(row).Checked, it == off.end());
        EXPECT_EQ(tooltip, it == off.end() ? QString("Active") : it->second);
    }
    EXPECT_EQ(backend.registered.size(), 11u);
}
