// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxButtonPainter.h"

#include "controls/LayoutPixels.h"
#include "controls/Lettering.h"
#include "controls/TdxButton.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QtMath>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// The pixels of a one-pixel line from a to b, b itself not included.
std::vector<QPoint> LinePixels(QPoint a, QPoint b) {
    std::vector<QPoint> pixels;
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    QPoint p = a;
    while (p != b) {
        pixels.push_back(p);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.ry() += sy;
        }
    }
    return pixels;
}

void DrawLine(QPainter& painter, QPoint a, QPoint b, const QColor& color) {
    for (const QPoint& p : LinePixels(a, b))
        LayoutPixels::Fill(painter, p, color);
}

// The rounded outline of a w x h box with 5 x 5 corner ellipses: straight edges that stop
// two pixels short of each corner, and one diagonal pixel between them.
void DrawOutline(QPainter& painter, int w, int h, const QColor& color) {
    painter.fillRect(2, 0, w - 4, 1, color);
    painter.fillRect(2, h - 1, w - 4, 1, color);
    painter.fillRect(0, 2, 1, h - 4, color);
    painter.fillRect(w - 1, 2, 1, h - 4, color);
    for (const QPoint corner :
         {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        LayoutPixels::Fill(painter, corner, color);
}

// A dotted rectangle that inverts every other pixel of the edge of `r`, so it shows on any
// gradient. Each pixel is inverted once, corners included.
void DrawFocusRect(QPainter& painter, const QRect& r) {
    if (r.isEmpty())
        return;
    const int x0 = r.left(), x1 = r.right(), y0 = r.top(), y1 = r.bottom();
    std::vector<QPoint> dots;
    const auto dot = [&](int x, int y) {
        if ((x + y - x0 - y0) % 2 == 0)
            dots.emplace_back(x, y);
    };
    for (int x = x0; x <= x1; ++x) {
        dot(x, y0);
        if (y1 != y0)
            dot(x, y1);
    }
    for (int y = y0 + 1; y < y1; ++y) {
        dot(x0, y);
        if (x1 != x0)
            dot(x1, y);
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QPoint& p : dots)
        LayoutPixels::Fill(painter, p, QColor(255, 255, 255));
    painter.restore();
}

} // namespace

QImage TransparentGlyph(const QImage& glyph) {
    if (glyph.isNull())
        return {};
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return out;
}

QImage GrayGlyph(const QImage& glyph) {
    if (glyph.isNull())
        return {};
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = row[x];
            const int g = (qRed(p) + qGreen(p) + qBlue(p)) / 3 / 2 + 96;
            row[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return out;
}

QString TdxButtonPainter::FitCaption(const TdxButton& button, int flags, QSize room) {
    const QString& text = button.Caption();
    const QFontMetrics metrics(button.font());
    const int height = std::max(room.height(), metrics.height());
    const QRect box(0, 0, std::max(room.width(), 0), height);
    const auto fits = [&](const QString& candidate) {
        const QRect used = metrics.boundingRect(box, flags, candidate);
        return used.width() <= box.width() && used.height() <= height;
    };
    if (fits(text))
        return text;

    const QString ellipsis =
        metrics.inFont(QChar(0x2026)) ? QString(QChar(0x2026)) : QStringLiteral("...");
    const bool mnemonics = flags & Qt::TextShowMnemonic;
    // The start of the caption kept in front of the ellipsis: no blanks before it, and no
    // accelerator marker that would underline the ellipsis instead of a letter.
    const auto cut = [&](qsizetype length) {
        QString start = text.left(length);
        while (!start.isEmpty() &&
               (start.back().isSpace() || (mnemonics && start.back() == QLatin1Char('&'))))
            start.chop(1);
        return start + ellipsis;
    };
    // The longest start that fits, found by halving: a longer start needs at least the room
    // of a shorter one.
    qsizetype lo = 0, hi = text.size() - 1;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fits(cut(mid)))
            lo = mid;
        else
            hi = mid - 1;
    }
    return cut(lo);
}

QRect TdxButtonPainter::MeasureCaption(const TdxButton& button, const QString& caption, int flags,
                                       const QRect& rect) {
    QString text = caption;
    if (text.isEmpty() || (button.ShowAccelChar() && text == QLatin1String("&")))
        text += QLatin1Char(' ');
    const QFontMetrics metrics(button.font());
    const QRect box = metrics.boundingRect(rect, flags, text);
    return {rect.topLeft(), box.size()};
}

TdxButtonGeometry TdxButtonPainter::Arrange(const TdxButton& button, QSize glyphSize) {
    const int w = button.width();
    const int h = button.height();
    const int s = button.Spacing();
    const int gw = glyphSize.width();
    const int gh = glyphSize.height();
    const bool glyph = !glyphSize.isEmpty();

    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (button.WordWrap())
        flags |= Qt::TextWordWrap;
    if (button.ShowAccelChar())
        flags |= Qt::TextShowMnemonic;

    // Edges as left, top, right, bottom with exclusive right and bottom.
    int left = 0, top = 0, right = w, bottom = h;
    if (glyph) {
        switch (button.Layout()) {
        case blGlyphLeft: left += gw + s; break;
        case blGlyphRight:
            left -= gw + s;
            right -= 2 * (gw + s);
            flags = (flags & ~Qt::AlignLeft) | Qt::AlignRight;
            break;
        case blGlyphTop: top += gh + s; break;
        case blGlyphBottom: top -= gh + s; break;
        }
    }

    // The caption gets the width left beside the glyph and the height left above or below it.
    const bool vertical = button.Layout() == blGlyphTop || button.Layout() == blGlyphBottom;
    const QSize room(right - left, glyph && vertical ? h - gh - s : h);
    const Lettering* lettering = Lettering::Find(button.Caption(), button.font());
    // Outlines show no accelerator and are never cut short.
    if (lettering && (lettering->box.width() > room.width() ||
                      (flags & Qt::TextShowMnemonic && button.Caption().contains('&'))))
        lettering = nullptr;
    const QString caption = lettering ? button.Caption() : FitCaption(button, flags, room);
    QRect text =
        lettering
            ? QRect(left, top, qCeil(lettering->box.width()), qCeil(lettering->box.height()))
            : MeasureCaption(button, caption, flags, QRect(left, top, right - left, bottom - top));
    // Centre the caption's box; the glyph follows it.
    text.translate((w - (text.x() + text.width())) / 2, (h - (text.y() + text.height())) / 2);
    const int p = button.IsHot() && button.IsPressed() ? 1 : 0;
    text.translate(p, p);

    QPoint at;
    switch (button.Layout()) {
    case blGlyphLeft: at = {text.x() - gw - s, (h - gh) / 2 + p}; break;
    case blGlyphRight: at = {text.x() + text.width() + s, (h - gh) / 2 + p}; break;
    case blGlyphTop: at = {(w - gw) / 2 + p, text.y() - gh - s}; break;
    case blGlyphBottom: at = {(w - gw) / 2 + p, text.y() + text.height() + s}; break;
    }
    return {text, at, flags, caption, lettering};
}

namespace {

// The caption from outlines, in the same colours DrawCaption gives the text.
void drawLettering(QPainter& painter, const TdxButton& button, const Lettering& lettering,
                   QPoint at, const QColor& color) {
    if (button.isEnabled()) {
        lettering.Draw(painter, at, color);
        return;
    }
    const QPalette system = QApplication::palette();
    lettering.Draw(painter, at + QPoint(1, 1), system.color(QPalette::Active, QPalette::Light));
    lettering.Draw(painter, at, system.color(QPalette::Active, QPalette::Dark));
}

} // namespace

void TdxButtonPainter::DrawCaption(QPainter& painter, const TdxButton& button, const QString& text,
                                   int flags, const QRect& rect, const QColor& color) {
    painter.setFont(button.font());
    painter.setLayoutDirection(button.layoutDirection());
    if (button.isEnabled()) {
        painter.setPen(color);
        painter.drawText(rect, flags, text);
        return;
    }
    // Embossed: a highlight one pixel down and right under the shadow.
    const QPalette system = QApplication::palette();
    painter.setPen(system.color(QPalette::Active, QPalette::Light));
    painter.drawText(rect.translated(1, 1), flags, text);
    painter.setPen(system.color(QPalette::Active, QPalette::Dark));
    painter.drawText(rect, flags, text);
}

void TdxButtonPainter::Paint(QPainter& painter, const TdxButton& button) {
    const int w = button.width();
    const int h = button.height();
    const TdxColors& colors = button.Colors();
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.fillRect(0, 0, w, h, button.Color());

    const int f = button.IsFramed(false) ? 1 : 0;
    if (f)
        painter.drawImage(1, 1, button.IsHot() ? button.HighlightBitmap() : button.FocusedBitmap());
    if (button.IsHot() && button.IsPressed()) {
        painter.drawImage(1, 1, button.ClickedBitmap());
    } else {
        // A face built while framed is 4 pixels smaller; what it leaves uncovered stays
        // in the background colour until the next rebuild.
        const QImage& face = button.FaceBitmap();
        const int fw = std::min(w - 6 * f, face.width());
        const int fh = std::min(h - 6 * f, face.height());
        if (fw > 0 && fh > 0)
            painter.drawImage(1 + 2 * f, 1 + 2 * f, face, 0, 0, fw, fh);
    }

    DrawOutline(painter, w, h, colors.BorderLine());
    const QColor edges = colors.BorderEdges();
    DrawLine(painter, {0, 1}, {2, 0}, edges);
    DrawLine(painter, {w - 2, 0}, {w, 2}, edges);
    DrawLine(painter, {0, h - 2}, {2, h}, edges);
    DrawLine(painter, {w - 3, h}, {w, h - 3}, edges);

    const QImage glyph = button.PaintedGlyph();
    // A picture for a denser screen takes its size on screen, not its pixel count.
    const TdxButtonGeometry g = Arrange(button, glyph.deviceIndependentSize().toSize());
    if (!glyph.isNull())
        painter.drawImage(g.glyph, glyph);

    const bool hotTrack = button.HotTrack() && button.IsHot();
    const QColor captionColor = hotTrack ? colors.HotTrack() : button.FontColor();
    if (g.lettering)
        drawLettering(painter, button, *g.lettering, g.text.topLeft(), captionColor);
    else
        DrawCaption(painter, button, g.caption, g.textFlags, g.text, captionColor);

    if (button.IsFocused() && button.ShowFocusRect())
        DrawFocusRect(painter, QRect(3, 3, w - 6, h - 6));
}
