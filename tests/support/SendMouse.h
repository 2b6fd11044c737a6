// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A mouse event on `area` with the pointer at `global` on the screen; a move carries the button
// as held.
inline void SendMouse(QWidget* area, QEvent::Type type, QPoint global,
                      Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, area->mapFromGlobal(QPointF(global)), QPointF(global),
                  type == QEvent::MouseMove ? Qt::NoButton : button, button, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
}
