// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label whose text, where the program has a lettering of it in the label's font, is drawn
// from outlines rather than with the font. It is still a label to everything else: its text,
// font and colours, its accessible name.
class LetteredLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
