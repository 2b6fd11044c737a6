#include "TForm1.h"
#include "FakeHotkeyBackend.h"
#include "HotkeyRegistration.h"
#include "HotkeyTable.h"
#include "MessageBox.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QStringList g_messages;
void recordMessage(QWidget*, const QString& text) {
    g_messages << text;
}

struct FormFixture : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend backend;
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        g_messages.clear();
        SetMessageHook(recordMessage);
        table.appendMany(DefaultHotkeyTable());
        form = std::make_unique<TForm1>(table, backend);
    }
    void TearDown() override {
        form.reset();
        SetMessageHook(nullptr);
    }
};

} // namespace

TEST_F(FormFixture, ListShowsTheTableWithItsCaptionsAndHiddenFlagColumns) {
    form->PrepareLists();
    EXPECT_EQ(form->windowTitle(), "Orvane");
    EXPECT_EQ(form->ListView1->model()->rowCount(), 20);
    EXPECT_EQ(table.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Execute");
    EXPECT_EQ(form->ListView1->header()->sectionSize(0), 160);
    EXPECT_EQ(form->ListView1->header()->sectionSize(3), 38);
    for (int col : {4, 5, 6})
        EXPECT_TRUE(form->ListView1->header()->isSectionHidden(col));
}

TEST_F(FormFixture, ACloseRequestHidesUnlessTheProgramEnds) {
    bool ending = false;
    form->OnCloseQuery = [&] { return ending; };
    form->ShowMainWindow();
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    form->ShowMainWindow();
    ending = true;
    EXPECT_TRUE(form->close());
}

TEST_F(FormFixture, TheMenusExitEndsTheProgram) {
    int exits = 0;
    form->OnExit = [&] { ++exits; };
    QAction* exit1 = form->PopupMenu1->findChild<QAction*>("Exit1");
    ASSERT_NE(exit1, nullptr);
    exit1->trigger();
    EXPECT_EQ(exits, 1);
}

TEST_F(FormFixture, RowCheckBoxEnablesAndDisablesAtOnce) {
    ASSERT_EQ(table.at(0).Checked, true);
    backend.registered[1] = {3, 'E'};
    ASSERT_TRUE(table.setData(table.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(table.at(0).Checked);
    EXPECT_EQ(backend.registered.count(1), 0u);
    ASSERT_TRUE(table.setData(table.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_EQ(backend.registered.count(1), 1u);
    EXPECT_TRUE(g_messages.isEmpty());
}

TEST_F(FormFixture, ACheckBoxThatCannotWorkSaysWhy) {
    backend.noDisplay = true;
    table.setChecked(1, false);
    ASSERT_TRUE(table.setData(table.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(table.at(1).Checked); // kept, so that it works again on X
    EXPECT_EQ(g_messages, QStringList{HotkeyRegistration::kNoDisplay});
}

TEST_F(FormFixture, ShowHideAndRestore) {
    form->ToggleMainWindow();
    EXPECT_TRUE(form->isVisible());
    form->ToggleMainWindow();
    EXPECT_FALSE(form->isVisible());
    form->RestoreMainWindow();
    EXPECT_TRUE(form->isVisible());
}
