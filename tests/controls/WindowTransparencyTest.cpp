// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowTransparency.h"

#include "controls/Skin.h"
#include "controls/WindowShape.h"

#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QColor kKey(220, 240, 255);

// A 200 x 100 borderless window with its outline cut, a dark block at (20, 60) and a block
// at (120, 60) that starts hidden.
struct KeyedWindow {
    QWidget window{nullptr, Qt::Window | Qt::FramelessWindowHint};
    QLabel* block;
    QLabel* hidden;
    WindowTransparency* transparency;

    KeyedWindow() {
        window.setFixedSize(200, 100);
        Skin::SetWindowBackground(&window, kKey);
        ApplyWindowShape(&window);
        block = filled(QRect(20, 60, 40, 20), Qt::darkBlue);
        hidden = filled(QRect(120, 60, 40, 20), Qt::darkRed);
        hidden->hide();
        transparency = new WindowTransparency(&window);
    }
    QLabel* filled(const QRect& place, const QColor& colour) {
        auto* label = new QLabel(&window);
        label->setGeometry(place);
        Skin::SetWindowBackground(label, colour);
        return label;
    }
};

// The next cut, or the one that already came since the spy was cleared.
bool cutCame(QSignalSpy& spy) {
    return !spy.isEmpty() || spy.wait(5000);
}

} // namespace

TEST(WindowTransparency, OpacityByAlphaPosition) {
    const struct {
        int position, blend;
    } rows[] = {{2, 51},  {3, 76},  {4, 102}, {5, 127}, {6, 153},
                {7, 178}, {8, 204}, {9, 229}, {10, 255}};
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(WindowTransparency::OpacityOf(row.position), row.blend / 255.0)
            << row.position;
}

TEST(WindowTransparency, KeepsExactlyThePixelsThatDifferFromTheKey) {
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(kKey);
    const struct {
        QPoint at;
        QColor colour;
        bool kept;
    } rows[] = {
        {{0, 0}, Qt::black, true},
        {{5, 3}, QColor(221, 240, 255), true}, // one step off the key is
                                               // not the key
        {{2, 1}, kKey, false},
        {{3, 2}, QColor(220, 240, 254), true},
        {{4, 0}, kKey, false},
    };
    for (const auto& row : rows)
        image.setPixelColor(row.at, row.colour);
    const QRegion kept = WindowTransparency::KeptRegion(image, kKey);
    for (const auto& row : rows)
        EXPECT_EQ(kept.contains(row.at), row.kept) << row.at.x() << "," << row.at.y();
    EXPECT_EQ(kept.boundingRect(), QRect(0, 0, 6, 4));
    EXPECT_FALSE(kept.contains(QPoint(1, 1))) << "an untouched pixel is the key";
}

// Drawn at twice the density, one device pixel of a glyph's fringe keeps its whole layout pixel.
TEST(WindowTransparency, AtTwiceTheDensityALayoutPixelStaysForAnyOfItsDevicePixels) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(kKey);
    image.setPixelColor(3, 1, Qt::black);
    image.setPixelColor(4, 2, QColor(221, 240, 255));
    image.setDevicePixelRatio(2);
    EXPECT_EQ(WindowTransparency::KeptRegion(image, kKey),
              QRegion(1, 0, 1, 1) + QRegion(2, 1, 1, 1));
}

TEST(WindowTransparency, TheCutFollowsTheBackgroundControlsAndSize) {
    KeyedWindow w;
    const QRegion outline = WindowShapeRegion(QSize(200, 100));
    ASSERT_EQ(w.window.mask(), outline);
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    w.transparency->SetColourKey(true);
    EXPECT_NE(w.window.mask(), outline);
    EXPECT_TRUE(w.window.mask().contains(QPoint(30, 70))) << "the block";
    EXPECT_FALSE(w.window.mask().contains(QPoint(100, 30))) << "the background";
    EXPECT_FALSE(w.window.mask().contains(QPoint(0, 0))) << "outside the outline";
    ASSERT_FALSE(w.window.mask().contains(QPoint(130, 70))) << "nothing there yet";
    QSignalSpy cut(w.transparency, &WindowTransparency::outlineCut);

    // A new background is the new key: the old one's pixels are gone with it.
    Skin::SetWindowBackground(&w.window, QColor(128, 128, 128));
    ASSERT_TRUE(cutCame(cut));
    EXPECT_FALSE(w.window.mask().contains(QPoint(100, 30)));
    EXPECT_TRUE(w.window.mask().contains(QPoint(30, 70)));

    cut.clear();
    w.hidden->show();
    ASSERT_TRUE(cutCame(cut));
    EXPECT_TRUE(w.window.mask().contains(QPoint(130, 70))) << "a control shown later";

    // The block painted in the key colour: keyed out with the background.
    cut.clear();
    Skin::SetWindowBackground(w.block, QColor(128, 128, 128));
    ASSERT_TRUE(cutCame(cut));
    EXPECT_FALSE(w.window.mask().contains(QPoint(30, 70)));

    cut.clear();
    w.window.setFixedSize(200, 70);
    ASSERT_TRUE(cutCame(cut));
    EXPECT_LE(w.window.mask().boundingRect().bottom(), 69);
    cut.clear();
    w.window.setFixedSize(200, 100);
    ASSERT_TRUE(cutCame(cut));
    EXPECT_TRUE(w.window.mask().contains(QPoint(130, 75))) << "uncovered again by the growth";

    w.transparency->SetColourKey(false);
    EXPECT_EQ(w.window.mask(), outline);
}

TEST(WindowTransparency, AWindowShownLaterIsCutBeforeItAppears) {
    KeyedWindow w;
    w.transparency->SetColourKey(true);
    // Made while hidden, as the lazily built windows make their controls.
    w.filled(QRect(100, 10, 20, 20), Qt::black);
    bool cutWhenShown = false;
    QObject::connect(w.transparency, &WindowTransparency::outlineCut, &w.window,
                     [&] { cutWhenShown = w.window.mask().contains(QPoint(110, 20)); });
    w.window.show();
    EXPECT_TRUE(cutWhenShown);
    EXPECT_TRUE(w.window.mask().contains(QPoint(110, 20)));
}
