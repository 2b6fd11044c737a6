// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowShape.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// How far row r (0 = the outermost) of a corner is cut in, for a quarter ellipse with
// integer half-axes a and b whose arc passes through the box's edge pixels.
int CornerInset(int r, int a, int b) {
    const double t = double(b - r) / double(b);
    return int(std::ceil(a - a * std::sqrt(std::max(0.0, 1.0 - t * t)) - 1e-9));
}

} // namespace

QRegion RoundRectRegion(int left, int top, int right, int bottom, int ew, int eh) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const int w = right - left - 1;
    const int h = bottom - top - 1;
    if (w <= 0 || h <= 0)
        return {};
    const int a = std::min(std::abs(ew), w) / 2;
    const int b = std::min(std::abs(eh), h) / 2;
    if (a < 1 || b < 1)
        return QRegion(left, top, w, h);

    QRegion region(left, top + b, w, std::max(0, h - 2 * b));
    for (int r = 0; r < b; ++r) {
        const int inset = CornerInset(r, a, b);
        const int span = w - 2 * inset;
        if (span <= 0)
            continue;
        region += QRect(left + inset, top + r, span, 1);
        region += QRect(left + inset, top + h - 1 - r, span, 1);
    }
    return region;
}

QRegion WindowShapeRegion(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    QRegion shape(QRect(QPoint(0, 50), QPoint(w - 1, h - 1)));
    shape += RoundRectRegion(0, 0, w + 1, h + 2, 5, 5);
    return shape;
}

void ApplyWindowShape(QWidget* window) {
    if (!window)
        return;
    window->setMask(WindowShapeRegion(window->size()));
    window->update();
}
