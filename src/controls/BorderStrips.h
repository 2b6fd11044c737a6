// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QLabel;
class QWidget;

// The thin coloured strips along the left, right and bottom edges of a skinned window, below
// its title bar; they follow the window's size.
struct BorderStrips {
    QLabel* LabelLeft = nullptr;
    QLabel* LabelRight = nullptr;
    QLabel* LabelBottom = nullptr;

    static constexpr int Width = 2;

    // Adds the strips to window, starting below a title bar titleHeight pixels high.
    static BorderStrips Add(QWidget* window, int titleHeight, const QColor& colour);
    void SetColour(const QColor& colour) const;
};
