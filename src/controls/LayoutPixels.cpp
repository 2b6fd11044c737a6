// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/LayoutPixels.h"

#include <QPainter>
#include <QRect>

namespace LayoutPixels {

void Fill(QPainter& painter, QPoint at, const QColor& color) {
    painter.fillRect(QRect(at, QSize(1, 1)), color);
}

void Frame(QPainter& painter, const QRect& rect, const QColor& color) {
    const QPoint a = rect.topLeft();
    const QPoint b = rect.bottomRight() + QPoint(1, 1);
    Line(painter, a, {b.x(), a.y()}, color);
    Line(painter, {a.x(), b.y()}, b, color);
    Line(painter, a, {a.x(), b.y()}, color);
    Line(painter, {b.x(), a.y()}, b, color);
}

void Line(QPainter& painter, QPoint a, QPoint b, const QColor& color) {
    painter.fillRect(QRect(a, b).normalized(), color);
}

} // namespace LayoutPixels
