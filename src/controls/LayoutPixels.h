// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QColor;
class QPainter;
class QPoint;
class QRect;

// Thin lines drawn as filled squares of the layout's pixels. On a screen scaled by 2 a pen's
// one-pixel line sits half a pixel off the grid and a pen's point shrinks to one device pixel;
// filled squares cover exactly what the 1x picture covers, doubled.
namespace LayoutPixels {

void Fill(QPainter& painter, QPoint at, const QColor& color);
// The outline QPainter::drawRect draws with a one-pixel pen: from the top-left corner to one
// pixel past the bottom-right one.
void Frame(QPainter& painter, const QRect& rect, const QColor& color);
// A one-pixel line from a to b, both included; horizontal or vertical.
void Line(QPainter& painter, QPoint a, QPoint b, const QColor& color);

} // namespace LayoutPixels
