// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window over the default table and a fake hotkey backend, shown on the offscreen
// platform, with the message boxes it would show recorded in g_messages.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "controls/Look.h"
#include "controls/MessageBox.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/TForm1.h"
#include "settings/SettingsStore.h"

#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

inline QStringList g_messages;
inline void recordMessage(QWidget*, const QString& text) {
    g_messages << text;
}

struct FormFixture : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend backend;
    SettingsStore settings;
    FakeWindowActivator activator;
    Look look;
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        g_messages.clear();
        SetMessageHook(recordMessage);
        table.appendMany(DefaultHotkeyTable());
        settings.LoadDefaults();
        form = std::make_unique<TForm1>(table, backend, settings, look);
        form->PrepareLists();
        activator.Activate(form.get(), 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form.reset();
        SetMessageHook(nullptr);
    }
    QWidget* viewport() const { return form->ListView1->viewport(); }
    // The centre of row's check box, in the list's viewport.
    QPoint checkBoxOf(int row) const {
        HotkeyListView* list = form->ListView1;
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualRect(table.index(row, 0));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        return list->style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list)
            .center();
    }
};
