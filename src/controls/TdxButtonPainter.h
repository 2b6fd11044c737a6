// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class TdxButton;
struct Lettering;

// Where the caption and the glyph of a button go.
struct TdxButtonGeometry {
    QRect text;      // the caption's box, where it is drawn
    QPoint glyph;    // top-left corner of the glyph (when there is one)
    int textFlags;   // Qt text flags the caption is measured and drawn with
    QString caption; // the caption as drawn: cut at its end with an ellipsis if too long
    // The caption's outlines, when the program has them for it and they fit: drawn instead
    // of the text, with no font.
    const Lettering* lettering = nullptr;
};

// Paints a TdxButton from its state bitmaps, outline, glyph and caption.
class TdxButtonPainter {
public:
    static void Paint(QPainter& painter, const TdxButton& button);

    // Places the caption and a glyph of `glyphSize` (empty for none) in the button.
    static TdxButtonGeometry Arrange(const TdxButton& button, QSize glyphSize);

    // The caption as it is drawn in a room of `room`: whole when it fits, otherwise its
    // longest start that fits with an ellipsis after it. With word wrap the lines break
    // at words and the ellipsis ends the last line that fits; one line always shows.
    static QString FitCaption(const TdxButton& button, int flags, QSize room);

    // The box of `text` when laid out into `rect`, at its top-left corner. An empty
    // caption (or a lone "&" that would vanish as a marker) measures as one blank.
    static QRect MeasureCaption(const TdxButton& button, const QString& text, int flags,
                                const QRect& rect);

    // Draws `text`: once in `color` when enabled, embossed when disabled.
    static void DrawCaption(QPainter& painter, const TdxButton& button, const QString& text,
                            int flags, const QRect& rect, const QColor& color);
};

// A copy of `glyph` whose pixels of its bottom-left pixel's colour are transparent.
QImage TransparentGlyph(const QImage& glyph);

// A copy of `glyph` in greys: ((red + green + blue) / 3) / 2 + 96 per pixel, so 96 .. 223;
// transparency is kept.
QImage GrayGlyph(const QImage& glyph);
