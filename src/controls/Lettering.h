// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;

// A text set once in the skin's face and kept as outlines. Drawing it takes no font: a window
// that shows only lettered text (the splash, at every start) leaves fontconfig, FreeType,
// HarfBuzz and Qt's font database unloaded until the user opens a window with real text,
// which saves about 4 MiB of a program that otherwise idles in the tray.
struct Lettering {
    QString text;
    int pixelSize = 0;
    bool bold = false;
    // The box the text takes as the font measures it; the outline is in its coordinates,
    // its baseline at the font's ascent.
    QSizeF box;
    QPainterPath outline;

    // `text` laid out in `font` by Qt, as outlines.
    static Lettering Make(const QString& text, const QFont& font);

    // The file form: a header line per lettering, then one line per path element.
    static QByteArray Write(const std::vector<Lettering>& letterings);
    // The letterings of a file; none at all when any line of it is not understood, so a
    // damaged file costs fonts, never a wrong drawing.
    static std::vector<Lettering> Read(const QByteArray& file);

    // The program's lettering for `text` drawn in `font` (a skin font of some size and
    // weight), or nullptr when there is none and the text must be drawn with the font.
    static const Lettering* Find(const QString& text, const QFont& font);

    // Fills the outline with its box's top-left corner at `at`.
    void Draw(QPainter& painter, QPointF at, const QColor& color) const;

    bool operator==(const Lettering& other) const = default;
};
