// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegion>
#include <QSize>

class QWidget;

// A rounded rectangle region with the window system's region convention: it covers the
// pixels from (left, top) to (right - 1, bottom - 1) exclusive, that is one pixel less each
// way than the box, and each corner is cut along a quarter ellipse of ew x eh.
QRegion RoundRectRegion(int left, int top, int right, int bottom, int ew, int eh);

// The outline of a borderless w x h window: the rectangle from y = 50 down, united with the
// rounded rectangle one pixel wider and two higher than the window, corners 5 x 5. The top
// corners come out rounded and the bottom ones square.
QRegion WindowShapeRegion(const QSize& size);

// Cuts the window's outline for its current size and repaints it. Called once, when the
// window is created; later size changes keep the outline.
void ApplyWindowShape(QWidget* window);
