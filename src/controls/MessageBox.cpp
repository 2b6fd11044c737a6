#include "MessageBox.h"

#include <QMessageBox>

namespace {
MessageHook g_hook = nullptr;
}

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
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orvane"), text, QMessageBox::Ok, parent);
    box.exec();
}
