// SPDX-License-Identifier: GPL-3.0-or-later
// Recording a combination into the properties panel from the keyboard: the window lets its
// hotkeys go while it records and takes them back however the recording ends.
#include "mainwindow/CombinationRecorder.h"
#include "FormFixture.h"
#include "controls/TdxButton.h"
#include "core/KeyRecording.h"
#include "core/KeyTable.h"
#include "mainwindow/PropertiesPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>
#include <functional>

namespace {

struct Recording : FormFixture {
    PropertiesPanel* panel = nullptr;
    std::map<int, FakeHotkeyBackend::Combo> before;

    void SetUp() override {
        FormFixture::SetUp();
        HotkeyRegistration::RegistrationPass(table, backend);
        before = backend.registered;
        ASSERT_FALSE(before.empty());
        form->ListView1->SelectRow(0);
        panel = form->GroupBoxProperties;
    }

    // Starts a recording from the keyboard alone: Tab to Record, then Space.
    void StartWithKeyboard() {
        panel->WinCheckBox->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // the key list
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), panel->ButtonRecord);
        QTest::keyClick(panel->ButtonRecord, Qt::Key_Space);
        ASSERT_TRUE(form->Recorder->isRecording());
        ASSERT_EQ(QWidget::keyboardGrabber(), panel->ButtonRecord);
        ASSERT_TRUE(backend.registered.empty()) << "the hotkeys are let go";
        EXPECT_EQ(panel->ButtonRecord->Caption(), QStringLiteral(" Press\u2026 "));
    }

    void Press(int key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QWidget::keyboardGrabber(), static_cast<Qt::Key>(key), mods);
    }
};

TEST_F(Recording, EveryEndReleasesTheGrabAndTakesTheHotkeysBack) {
    struct Row {
        const char* end;
        std::function<void()> act;
        bool taken;
        QStringList messages;
    };
    const Row rows[] = {
        {"Super+Shift+F13",
         [&] {
             Press(Qt::Key_Shift, Qt::ShiftModifier); // a modifier alone: still recording
             ASSERT_TRUE(form->Recorder->isRecording());
             Press(Qt::Key_F13, Qt::MetaModifier | Qt::ShiftModifier);
         },
         true,
         {}},
        {"Esc", [&] { Press(Qt::Key_Escape); }, false, {}},
        {"a key not in the list",
         [&] { Press(Qt::Key_Launch5, Qt::AltModifier); },
         false,
         {KeyRecording::kNotInList}},
        {"focus lost", [&] { panel->EditExecute->setFocus(); }, false, {}},
        {"window hidden", [&] { form->hide(); }, false, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.end);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        panel->FillPropertiesPanel(0);
        const PanelValues old = panel->Values();
        const HotkeyEntry stored = table.at(0);
        g_messages.clear();
        StartWithKeyboard();
        r.act();
        EXPECT_FALSE(form->Recorder->isRecording());
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
        EXPECT_EQ(panel->ButtonRecord->Caption(), " Record ");
        EXPECT_EQ(backend.registered.size(), before.size()) << "every ticked entry is back";
        EXPECT_EQ(g_messages, r.messages);
        EXPECT_EQ(table.at(0), stored) << "only Apply changes the entry";
        const PanelValues now = panel->Values();
        EXPECT_EQ(panel->ButtonApply->isEnabled(), r.taken);
        if (!r.taken) {
            EXPECT_EQ(std::tie(now.win, now.alt, now.ctrl, now.shift, now.keyPosition),
                      std::tie(old.win, old.alt, old.ctrl, old.shift, old.keyPosition));
            continue;
        }
        EXPECT_TRUE(now.win && now.shift && !now.alt && !now.ctrl);
        EXPECT_EQ(panel->CharComboBox->currentText(), "F13");
        EXPECT_EQ(panel->KeyComboBox->currentText(), "124");
    }
}

TEST_F(Recording, ATakenCombinationIsAppliedWithWinAndTheWindowsShortcutsStayQuiet) {
    int fired = 0;
    QShortcut shortcut(QKeySequence(QStringLiteral("Meta+Ctrl+Alt+K")), form.get());
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++fired; });
    StartWithKeyboard();
    Press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(fired, 0);
    ASSERT_EQ(panel->CharComboBox->currentText(), "K");

    form->ButtonApplyClick();
    const HotkeyEntry e = table.at(0);
    EXPECT_EQ(std::tie(e.Win, e.Alt, e.Ctrl, e.Shift, e.Key), std::tie("1", "1", "1", "0", "K"));
    EXPECT_EQ(e.Flags, "Win+Alt+Ctrl+");
    const FakeHotkeyBackend::Combo combo = backend.registered.at(e.ID.toInt());
    EXPECT_EQ(combo.modifiers, Modifiers::Win | Modifiers::Alt | Modifiers::Ctrl);
    EXPECT_EQ(combo.key, 'K');
    // The shortcut itself works outside a recording: its silence above was the recorder's.
    QTest::keyClick(panel->EditExecute, Qt::Key_K,
                    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(fired, 1);
}

// Keyboard-only: Tab goes through the panel in reading order, Record included.
TEST_F(Recording, TabReachesEveryControlInOrder) {
    panel->WinCheckBox->click(); // Apply takes the focus only while enabled
    QStringList order;
    panel->EnabledCheckBox->setFocus();
    for (int i = 0; i < 12; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order,
              QStringList({"EnabledCheckBox", "AltCheckBox", "ControlCheckBox", "ShiftCheckBox",
                           "WinCheckBox", "CharComboBox", "ButtonRecord", "IconSpeedButton",
                           "EditExecute", "ButtonApply", "ButtonTest", "ButtonFunctions"}));
}

} // namespace
