// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/HotkeyIconList.h"
#include "controls/TdxButtonPainter.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <climits>
#include <gtest/gtest.h>
#include <tuple>

namespace {

QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool opaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                return false;
    return true;
}

// What a view does with an icon: paint it into a 32 by 32 logical box on a device of the
// given pixel ratio. The result holds the device pixels.
QImage paintedAt(const QIcon& icon, qreal ratio) {
    const int side = qRound(32 * ratio);
    QImage canvas(side, side, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    canvas.setDevicePixelRatio(ratio);
    QPainter painter(&canvas);
    icon.paint(&painter, QRect(0, 0, 32, 32));
    painter.end();
    canvas.setDevicePixelRatio(1);
    return canvas;
}

QString hotkeyFile(int index, const char* suffix) {
    return QStringLiteral(":/hotkeys/%1%2").arg(index, 2, 10, QLatin1Char('0')).arg(suffix);
}

// Each icon's name, from its source drawing "NN-name.svg".
QStringList iconNames() {
    const QDir dir(QStringLiteral(ORVANE_SOURCE_DIR "/resources/icons/hotkeys"));
    QStringList names;
    for (const QString& file : dir.entryList({"[0-9][0-9]-*.svg"}, QDir::Files, QDir::Name))
        names << file.chopped(4).replace('-', ' ');
    return names;
}

constexpr int CellWidth = 184, CellHeight = 88, Columns = 8;
// Offsets in a cell: the 32-pixel picture, then it enlarged pixel by pixel, then the twin.
constexpr QPoint Enlarged(38, 0), Twin(110, 0);
QPoint cellAt(int index) {
    return {(index % Columns) * CellWidth + 4, (index / Columns) * CellHeight + 18};
}

// The contact sheet: every icon with its name on the list's white, as the list shows it, its
// pixels enlarged, and its 64-pixel twin, so a reviewer sees all of them at once.
QImage contactSheet(const HotkeyIconList& icons, const QStringList& names) {
    const int rows = (HotkeyIconList::Count + Columns - 1) / Columns;
    QImage sheet(Columns * CellWidth, rows * CellHeight, QImage::Format_ARGB32);
    sheet.fill(QColor(226, 232, 240));
    QPainter painter(&sheet);
    for (int i = 0; i < HotkeyIconList::Count; ++i) {
        const QPoint at = cellAt(i);
        painter.fillRect(QRect(at - QPoint(2, 16), QSize(CellWidth - 4, CellHeight - 4)),
                         Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(at - QPoint(0, 3), names.value(i, QString::number(i)));
        const QImage small = paintedAt(icons.icon(i), 1);
        painter.drawImage(at, small);
        painter.drawImage(at + Enlarged, small.scaled(64, 64));
        painter.drawImage(at + Twin, paintedAt(icons.icon(i), 2));
    }
    return sheet;
}

// The marks where the program shows them, for a reviewer: the title bar's picture on its
// navy to sky-blue gradient, the OK glyph on a light and a dark button face, the About icon
// on the window colour and the app icon up to 128 pixels on light and dark, each at 1x and 2x.
QImage marksSheet() {
    QImage sheet(620, 400, QImage::Format_ARGB32);
    sheet.fill(QColor(220, 240, 255));
    QPainter painter(&sheet);
    const auto face = [&](QRect box, QColor from, QColor to) {
        QLinearGradient gradient(box.topLeft(), box.bottomLeft());
        gradient.setColorAt(0, from);
        gradient.setColorAt(1, to);
        painter.fillRect(box, gradient);
    };
    // Drawn at their own pixels: the sheet shows device pixels, whatever a name's ratio says.
    const auto picture = [](const QString& name, int ratio) {
        QImage image(QStringLiteral(":/images/%1%2.png").arg(name, ratio == 2 ? "@2x" : ""));
        image.setDevicePixelRatio(1);
        return image;
    };
    QFont font = painter.font();
    for (const int ratio : {1, 2}) {
        const int top = ratio == 1 ? 8 : 44;
        face(QRect(8, top, 300, 26 * ratio), QColor(0, 0, 128), QColor(135, 206, 235));
        painter.drawImage(QPoint(8 + 4 * ratio, top + 5 * ratio), picture("titlebar", ratio));
        font.setBold(true);
        font.setPixelSize(16 * ratio);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(8 + 24 * ratio, top + 19 * ratio), QStringLiteral("Orvane"));
        font.setPixelSize(11 * ratio);
        painter.setFont(font);
        int x = 320;
        for (const auto& [from, to, text] :
             {std::tuple{QColor(Qt::white), QColor(239, 235, 231), QColor(Qt::black)},
              std::tuple{QColor(0, 0, 128), QColor(70, 130, 180), QColor(Qt::white)}}) {
            const QRect button(x, top, 100 * ratio / 2 + 40, 25 * ratio);
            face(button, from, to);
            painter.drawImage(QPoint(x + 8 * ratio, top + 4 * ratio), picture("ok", ratio));
            painter.setPen(text);
            painter.drawText(QPoint(x + 28 * ratio, top + 16 * ratio), QStringLiteral("OK"));
            x += button.width() + 10;
        }
    }
    painter.drawImage(QPoint(8, 110), picture("about", 1));
    painter.drawImage(QPoint(48, 110), picture("about", 2));
    painter.fillRect(QRect(0, 250, 620, 150), QColor(48, 48, 48));
    int x = 130;
    for (const int size : {16, 32, 48, 64, 128}) {
        const QImage app(QStringLiteral(":/images/orvane-%1.png").arg(size));
        painter.drawImage(QPoint(x, 110), app);
        painter.drawImage(QPoint(x, 260), app);
        x += size + 8;
    }
    return sheet;
}

} // namespace

TEST(HotkeyIconList, EveryIconIsDrawnFromItsOwnPictureAtRatio1AndRatio2) {
    const HotkeyIconList icons;
    for (int i = 0; i < HotkeyIconList::Count; ++i) {
        SCOPED_TRACE(i);
        const QImage small = argb(QImage(hotkeyFile(i, ".png")));
        const QImage large = argb(QImage(hotkeyFile(i, "@2x.png")));
        ASSERT_EQ(small.size(), QSize(32, 32));
        ASSERT_EQ(large.size(), QSize(64, 64));
        // The twin is a drawing of its own, not the small picture enlarged, so a ratio-2
        // paint that fell back to the small picture would show.
        ASSERT_NE(argb(small.scaled(64, 64)), large);
        // Drawn on the list's white: opaque throughout, white in the corners.
        EXPECT_TRUE(opaque(small) && opaque(large));
        EXPECT_TRUE(small.pixelColor(0, 0) == Qt::white && large.pixelColor(63, 63) == Qt::white);

        const QIcon icon = icons.icon(i);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.actualSize(QSize(32, 32)), QSize(32, 32));
        EXPECT_EQ(paintedAt(icon, 1), small);
        EXPECT_EQ(paintedAt(icon, 2), large);
        // Asked again, the same decoded icon comes back.
        EXPECT_EQ(icons.icon(i).cacheKey(), icon.cacheKey());
    }
}

TEST(HotkeyIconList, IndexesOutsideTheListGiveNoIcon) {
    const HotkeyIconList icons;
    ASSERT_FALSE(icons.icon(0).isNull());
    ASSERT_FALSE(icons.icon(HotkeyIconList::Count - 1).isNull());
    for (const int index : {-1, HotkeyIconList::Count, INT_MIN, INT_MAX})
        EXPECT_TRUE(icons.icon(index).isNull()) << index;
}

TEST(Artwork, AppIconHasEverySizeAndTheMarksSitOnTransparency) {
    const QIcon app = AppIcon();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QImage picture = app.pixmap(QSize(size, size), 1.0).toImage();
        EXPECT_EQ(picture.size(), QSize(size, size)) << size;
        // Compared premultiplied: the pixmap keeps its pixels so, and the way back loses bits.
        const QImage file(QStringLiteral(":/images/orvane-%1.png").arg(size));
        EXPECT_EQ(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  file.convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << size;
    }
    const struct {
        const char* name;
        int side;
    } marks[] = {{"titlebar", 16}, {"ok", 16}, {"about", 32}};
    for (const auto& mark : marks) {
        for (const int ratio : {1, 2}) {
            const QString file =
                QStringLiteral(":/images/%1%2.png").arg(mark.name, ratio == 2 ? "@2x" : "");
            const QImage picture = argb(QImage(file));
            SCOPED_TRACE(file.toStdString());
            ASSERT_EQ(picture.size(), QSize(mark.side, mark.side) * ratio);
            const int last = picture.width() - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last)})
                EXPECT_EQ(qAlpha(picture.pixel(corner)), 0);
        }
    }
}

TEST(Artwork, TheOkGlyphSurvivesTheButtonsKeyColour) {
    // The gradient button clears every pixel of the glyph's bottom-left colour; only the
    // transparent background may go.
    for (const char* file : {":/images/ok.png", ":/images/ok@2x.png"}) {
        const QImage glyph = argb(QImage(file));
        ASSERT_FALSE(glyph.isNull()) << file;
        int marked = 0;
        const QImage keyed = TransparentGlyph(glyph);
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (qAlpha(glyph.pixel(x, y)) != 0) {
                    ++marked;
                    EXPECT_EQ(keyed.pixel(x, y), glyph.pixel(x, y)) << file << " " << x << "," << y;
                }
        EXPECT_GT(marked, glyph.width()) << file;
    }
}

TEST(Artwork, MarksSheetIsWritten) {
    QDir().mkpath(QStringLiteral(ORVANE_SCREENSHOT_DIR));
    const QString path = QStringLiteral(ORVANE_SCREENSHOT_DIR "/artwork-marks.png");
    QFile::remove(path);
    ASSERT_TRUE(marksSheet().save(path));
    EXPECT_EQ(QImage(path).size(), QSize(620, 400));
}

TEST(Artwork, ContactSheetShowsEveryIconAtBothRatios) {
    const QStringList names = iconNames();
    ASSERT_EQ(names.size(), HotkeyIconList::Count);
    const HotkeyIconList icons;
    const QImage sheet = contactSheet(icons, names);

    QDir().mkpath(QStringLiteral(ORVANE_SCREENSHOT_DIR));
    const QString path = QStringLiteral(ORVANE_SCREENSHOT_DIR "/hotkey-icons.png");
    QFile::remove(path);
    ASSERT_TRUE(sheet.save(path));
    const QImage written = argb(QImage(path));
    ASSERT_EQ(written.size(), sheet.size());
    for (int i = 0; i < HotkeyIconList::Count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written.copy(QRect(cellAt(i), QSize(32, 32))),
                  argb(QImage(hotkeyFile(i, ".png"))));
        EXPECT_EQ(written.copy(QRect(cellAt(i) + Twin, QSize(64, 64))),
                  argb(QImage(hotkeyFile(i, "@2x.png"))));
    }
}
