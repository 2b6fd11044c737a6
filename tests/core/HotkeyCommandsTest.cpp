// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyCommands.h"
#include "core/HotkeyTable.h"

#include <gtest/gtest.h>

using namespace HotkeyCommands;

namespace {

void fill(HotkeyTable& t, const std::vector<int>& ids) {
    for (const int id : ids)
        t.append(NewHotkeyEntry(id));
}

std::vector<int> oneTo(int n) {
    std::vector<int> ids;
    for (int id = 1; id <= n; ++id)
        ids.push_back(id);
    return ids;
}

// A question that answers as told and notes what it was asked.
struct Asker {
    Answer answer;
    QStringList asked;
    Ask ask() {
        return [this](const QString& text, const QString& caption) {
            asked << text << caption;
            return answer;
        };
    }
};

} // namespace

TEST(NewIdentifier, SmallestUnusedNotBelowTheRowCount) {
    struct Row {
        const char* what;
        std::vector<int> ids;
        int deleteRow; // -1: none
        int expected;
    };
    const Row rows[] = {
        {"freshly loaded 20 rows", oneTo(20), -1, 21},
        {"ID 3 deleted: 19 and 20 are taken", oneTo(20), 2, 21},
        {"empty", {}, -1, 0},
        {"IDs 0..4", {0, 1, 2, 3, 4}, -1, 5},
        {"a later row holds the first candidate, an earlier one the next", {3, 2}, -1, 4},
        {"the row count itself is free", {9, 7}, -1, 2},
    };
    for (const Row& row : rows) {
        HotkeyTable t;
        fill(t, row.ids);
        if (row.deleteRow >= 0) {
            t.remove(row.deleteRow);
            ASSERT_EQ(t.rowOfId(row.deleteRow + 1), -1) << row.what;
        }
        EXPECT_EQ(NewIdentifier(t), row.expected) << row.what;
    }
}

TEST(New1Click, AppendsAnUntickedAltCtrlZeroRowAndScrollsToIt) {
    HotkeyTable t;
    t.appendMany(DefaultHotkeyTable());
    const NewOutcome out = New1Click(t);
    ASSERT_EQ(t.count(), 21);
    EXPECT_EQ(out.row, 20);
    EXPECT_EQ(out.scrollPixels, 20 * 32);
    HotkeyEntry expected;
    expected.Flags = "Alt+Ctrl+";
    expected.Key = "0";
    expected.Execute = "Nothing";
    expected.ID = "21";
    expected.Alt = "1";
    expected.Ctrl = "1";
    expected.Shift = "0";
    expected.Checked = false;
    expected.Image = 34;
    EXPECT_EQ(t.at(20), expected);
    EXPECT_EQ(New1Click(t).row, 21);
    EXPECT_EQ(t.at(21).ID, "22");
}

TEST(Delete1Click, OnlyYesDeletesAndReleasesAndNoSelectionAsksNothing) {
    struct Row {
        Answer answer;
        int selected;
        bool asks;
        bool deletes;
    };
    const Row rows[] = {{Answer::Yes, 1, true, true},
                        {Answer::No, 1, true, false},
                        {Answer::Cancel, 1, true, false},
                        {Answer::Yes, -1, false, false},
                        {Answer::Yes, 3, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.selected);
        HotkeyTable t;
        fill(t, {1, 2, 3});
        Asker asker{row.answer, {}};
        std::vector<int> released;
        EXPECT_EQ(
            Delete1Click(t, row.selected, asker.ask(), [&](int id) { released.push_back(id); }),
            row.deletes);
        EXPECT_EQ(released, row.deletes ? std::vector<int>{2} : std::vector<int>{});
        EXPECT_EQ(asker.asked, row.asks ? QStringList({"Delete the selected hotkey?", "Delete ?"})
                                        : QStringList());
        if (row.deletes) {
            ASSERT_EQ(t.count(), 2); // the later row moves up and keeps its ID
            EXPECT_EQ(t.at(1).ID, "3");
        } else {
            EXPECT_EQ(t.count(), 3);
        }
    }
}

TEST(Resettodefault1Click, YesWritesThenWarnsThenEmptiesTheTable) {
    // Answers, then whether the write succeeds; a failed write promises no restart.
    for (const auto& [answer, written] : {std::pair{Answer::Yes, true},
                                          {Answer::No, true},
                                          {Answer::Cancel, true},
                                          {Answer::Yes, false}}) {
        HotkeyTable t;
        t.appendMany(DefaultHotkeyTable());
        Asker asker{answer, {}};
        QStringList warned;
        const bool yes = answer == Answer::Yes && written;
        EXPECT_EQ(
            Resettodefault1Click(
                t, asker.ask(),
                [&](const QString& text, const QString& caption) { warned << text << caption; },
                [&, w = written] { return w; }),
            yes);
        EXPECT_EQ(asker.asked, QStringList({"Reset to default hotkeys?", "Defaults ?"}));
        EXPECT_EQ(warned,
                  yes ? QStringList({"Restart the application to load the default "
                                     "hotkeys!\n" +
                                         QString(20, ' ') + "The application will exit now!",
                                     "Restart"})
                      : QStringList());
        EXPECT_EQ(t.count(), yes ? 0 : 20);
    }
}
