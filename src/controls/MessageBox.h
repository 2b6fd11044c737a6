#pragma once

#include <QString>

class QWidget;

// The program's modal message: the text and one OK button, captioned with the program's
// name. Tests replace it so that nothing waits for a click.
void ShowMessage(QWidget* parent, const QString& text);

using MessageHook = void (*)(QWidget* parent, const QString& text);
// Installs a replacement (nullptr restores the real box); returns the previous one.
MessageHook SetMessageHook(MessageHook hook);
