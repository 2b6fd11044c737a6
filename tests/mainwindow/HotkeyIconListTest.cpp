#include "HotkeyIconList.h"
#include "TdxButtonPainter.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <climits>
#include <gtest/gtest.h>

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
