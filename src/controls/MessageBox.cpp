// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MessageBox.h"

#include <QMessageBox>

namespace {
MessageHook g_hook = nullptr;
QuestionHook g_questionHook = nullptr;
WarningHook g_warningHook = nullptr;

// Runs a modal box and tells which standard button ended it (NoButton when none did).
QMessageBox::StandardButton execBox(QMessageBox::Icon icon, const QString& caption,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QWidget* parent) {
    QMessageBox box(icon, caption, text, buttons, parent);
    // Texts quote user input such as a target or a file name: shown as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return box.standardButton(box.clickedButton());
}
} // namespace

MessageHook SetMessageHook(MessageHook hook) {
    const MessageHook previous = g_hook;
    g_hook = hook;
    return previous;
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (g_hook) {
        g_hook(parent, text);
        return;
    }
    execBox(QMessageBox::NoIcon, QStringLiteral("Orvane"), text, QMessageBox::Ok, parent);
}

QuestionHook SetQuestionHook(QuestionHook hook) {
    const QuestionHook previous = g_questionHook;
    g_questionHook = hook;
    return previous;
}

MessageAnswer AskYesNoCancel(QWidget* parent, const QString& text, const QString& caption) {
    if (g_questionHook)
        return g_questionHook(parent, text, caption);
    switch (execBox(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent)) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

WarningHook SetWarningHook(WarningHook hook) {
    const WarningHook previous = g_warningHook;
    g_warningHook = hook;
    return previous;
}

void ShowWarning(QWidget* parent, const QString& text, const QString& caption) {
    if (g_warningHook) {
        g_warningHook(parent, text, caption);
        return;
    }
    execBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
}
