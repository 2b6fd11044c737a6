// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstStart.h"
#include "FakeHotkeyBackend.h"
#include "HotkeyRegistration.h"
#include "HotkeyTable.h"

#include <gtest/gtest.h>

// A first start on a system that lacks some of the default table's programs: the rows whose
// keys desktop programs use, and the rows that open nothing, start unticked and say why; the
// registration pass keeps the reason, and only the rest take their combinations.
TEST(FirstStart, DefaultRowsThatTakeCommonKeysOrOpenNothingStartUntickedWithTheReason) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    const QString winamp = "c:\\Program Files\\Winamp\\winamp.exe";
    const QStringList missing{"dxdiag.exe", "sol.exe", "winmine.exe", winamp};
    QStringList asked;
    FirstStart::FitDefaultTable(table, [&](const QString& target) {
        asked << target;
        return !missing.contains(target);
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
    EXPECT_FALSE(asked.contains("VolumeUp")) << "a built-in function needs no program";
}
