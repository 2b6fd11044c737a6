// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The program's modal message: the text and one OK button, captioned with the program's
// name. Tests replace it so that nothing waits for a click.
void ShowMessage(QWidget* parent, const QString& text);

using MessageHook = void (*)(QWidget* parent, const QString& text);
// Installs a replacement (nullptr restores the real box); returns the previous one.
MessageHook SetMessageHook(MessageHook hook);

// The button that ended a question box. Closing the box by any other way (Esc, the window's
// close button) counts as Cancel.
enum class MessageAnswer { Yes, No, Cancel };

// A confirmation: the system's question box with Yes, No and Cancel, owned by `parent`.
MessageAnswer AskYesNoCancel(QWidget* parent, const QString& text, const QString& caption);

using QuestionHook = MessageAnswer (*)(QWidget* parent, const QString& text,
                                       const QString& caption);
// Installs a replacement that answers instead of the user (nullptr restores the real box);
// returns the previous one.
QuestionHook SetQuestionHook(QuestionHook hook);

// A warning: the system's warning box with one OK button, owned by `parent`.
void ShowWarning(QWidget* parent, const QString& text, const QString& caption);

using WarningHook = void (*)(QWidget* parent, const QString& text, const QString& caption);
// Installs a replacement (nullptr restores the real box); returns the previous one.
WarningHook SetWarningHook(WarningHook hook);
