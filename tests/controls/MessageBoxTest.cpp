// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What the last replacement box was given, and what it answers.
struct HookCall {
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    int calls = 0;
};
HookCall g_call;
MessageAnswer g_answer = MessageAnswer::Yes;

MessageAnswer recordQuestion(QWidget* parent, const QString& text, const QString& caption) {
    g_call = {parent, text, caption, g_call.calls + 1};
    return g_answer;
}

void recordWarning(QWidget* parent, const QString& text, const QString& caption) {
    g_call = {parent, text, caption, g_call.calls + 1};
}

TEST(MessageBoxHooks, QuestionHookAnswersInsteadOfTheUser) {
    g_call = {};
    QWidget owner;
    ASSERT_EQ(SetQuestionHook(recordQuestion), nullptr);
    for (const MessageAnswer answer :
         {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
        g_answer = answer;
        EXPECT_EQ(AskYesNoCancel(&owner, QStringLiteral("Delete the selected hotkey?"),
                                 QStringLiteral("Delete ?")),
                  answer);
    }
    EXPECT_EQ(g_call.calls, 3);
    EXPECT_EQ(g_call.parent, &owner);
    EXPECT_EQ(g_call.text, QStringLiteral("Delete the selected hotkey?"));
    EXPECT_EQ(g_call.caption, QStringLiteral("Delete ?"));
    EXPECT_EQ(SetQuestionHook(nullptr), &recordQuestion);
}

TEST(MessageBoxHooks, WarningHookReplacesTheBox) {
    g_call = {};
    QWidget owner;
    const QString text = QStringLiteral("Restart the application!\n") + QString(20, u' ') +
                         QStringLiteral("The application will exit now!");
    ASSERT_EQ(SetWarningHook(recordWarning), nullptr);
    ShowWarning(&owner, text, QStringLiteral("Restart"));
    EXPECT_EQ(g_call.calls, 1);
    EXPECT_EQ(g_call.parent, &owner);
    EXPECT_EQ(g_call.text, text) << "blanks and line break kept";
    EXPECT_EQ(g_call.caption, QStringLiteral("Restart"));
    EXPECT_EQ(SetWarningHook(nullptr), &recordWarning);
}

// The real boxes: `act` runs on the box once it is shown and modal, then the box must be gone.
class RealBox : public ::testing::Test {
protected:
    void WhenShown(std::function<void(QMessageBox&)> act) {
        QTimer::singleShot(0, qApp, [this, act = std::move(act)] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box != nullptr;
            if (!box)
                return;
            icon = box->icon();
            caption = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            buttons = box->standardButtons();
            parent = box->parentWidget();
            act(*box);
            // Whatever act did, never leave a box waiting for a click.
            if (box->isVisible())
                box->reject();
        });
    }

    QWidget owner;
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
};

TEST_F(RealBox, QuestionOffersYesNoCancelAndOnlyYesIsYes) {
    const QString markup = QStringLiteral("Delete <b>C:\\</b>?");
    struct Row {
        const char* how;
        std::function<void(QMessageBox&)> act;
        MessageAnswer expected;
    };
    const Row rows[] = {
        {"Yes clicked", [](QMessageBox& b) { b.button(QMessageBox::Yes)->click(); },
         MessageAnswer::Yes},
        {"No clicked", [](QMessageBox& b) { b.button(QMessageBox::No)->click(); },
         MessageAnswer::No},
        {"Cancel clicked", [](QMessageBox& b) { b.button(QMessageBox::Cancel)->click(); },
         MessageAnswer::Cancel},
        {"Esc pressed", [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); },
         MessageAnswer::Cancel},
        {"window closed", [](QMessageBox& b) { b.close(); }, MessageAnswer::Cancel},
    };
    for (const Row& row : rows) {
        seen = false;
        WhenShown(row.act);
        EXPECT_EQ(AskYesNoCancel(&owner, markup, QStringLiteral("Delete ?")), row.expected)
            << row.how;
        ASSERT_TRUE(seen) << row.how;
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(caption, QStringLiteral("Delete ?"));
        EXPECT_EQ(text, markup);
        EXPECT_EQ(format, Qt::PlainText) << "shown as typed";
        EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(parent, &owner);
    }
}

TEST_F(RealBox, WarningHasOneOkButtonAndAWarningIcon) {
    WhenShown([](QMessageBox& b) { b.button(QMessageBox::Ok)->click(); });
    ShowWarning(&owner, QStringLiteral("<i>Restart</i>"), QStringLiteral("Restart"));
    ASSERT_TRUE(seen);
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(caption, QStringLiteral("Restart"));
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(parent, &owner);
}

TEST_F(RealBox, MessageShowsAFailureDescriptionAsTyped) {
    // An "Error: " text quotes whatever the target held, markup included.
    WhenShown([](QMessageBox& b) { b.button(QMessageBox::Ok)->click(); });
    ShowMessage(&owner, QStringLiteral("Error: <img src=\"/etc/hostname\"> not found"));
    ASSERT_TRUE(seen);
    EXPECT_EQ(caption, QStringLiteral("Orvane"));
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(format, Qt::PlainText) << "markup in a message must not be rendered";
}

} // namespace
