// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtWindowActivator.h"

#include <QWidget>

void QtWindowActivator::Activate(QWidget* window, quint32 /*eventTime*/) {
    if (!window)
        return;
    QWidget* top = window->window();
    ShowRestored(top);
    top->raise();
    top->activateWindow();
}

void ShowRestored(QWidget* window) {
    QWidget* top = window->window();
    if (top->isMinimized())
        top->setWindowState(top->windowState() & ~Qt::WindowMinimized);
    if (!top->isVisible())
        top->show();
}
