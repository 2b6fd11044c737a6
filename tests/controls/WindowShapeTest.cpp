// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowShape.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The rounded rectangle (0, 0)-(465, 66) with 5 x 5 corners, written out: it covers
// columns 0..463 and rows 0..64; its outermost row of each corner is cut in by 2 pixels,
// the next by 1.
bool InRoundedRect(int x, int y) {
    if (x < 0 || x > 463 || y < 0 || y > 64)
        return false;
    const int row = std::min(y, 64 - y);
    const int inset = row == 0 ? 2 : row == 1 ? 1 : 0;
    return x >= inset && x <= 463 - inset;
}

TEST(WindowShape, VolumeWindowOutlineIsTheRectangleUnitedWithTheRoundedRectangle) {
    const QRegion shape = WindowShapeRegion(QSize(464, 64));
    for (int y = -2; y < 68; ++y)
        for (int x = -2; x < 468; ++x) {
            const bool inRect = x >= 0 && x < 464 && y >= 50 && y < 64;
            ASSERT_EQ(shape.contains(QPoint(x, y)), inRect || InRoundedRect(x, y)) << x << "," << y;
        }
    // Rounded top corners, square bottom corners.
    EXPECT_FALSE(shape.contains(QPoint(1, 0)));
    EXPECT_FALSE(shape.contains(QPoint(462, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 63)));
    EXPECT_TRUE(shape.contains(QPoint(463, 63)));
}

TEST(WindowShape, IsCutOnceForTheSizeAtTheCall) {
    QWidget window;
    window.resize(542, 366);
    ApplyWindowShape(&window);
    EXPECT_EQ(window.mask(), WindowShapeRegion(QSize(542, 366)));
    window.resize(542, 275);
    EXPECT_EQ(window.mask(), WindowShapeRegion(QSize(542, 366)));
    EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 542, 367));
}

TEST(RoundRectRegion, AcceptsSwappedAndDegenerateBoxes) {
    EXPECT_EQ(RoundRectRegion(465, 66, 0, 0, 5, 5), RoundRectRegion(0, 0, 465, 66, 5, 5));
    EXPECT_TRUE(RoundRectRegion(0, 0, 1, 1, 5, 5).isEmpty());
    EXPECT_EQ(RoundRectRegion(0, 0, 4, 4, 5, 5).boundingRect(), QRect(0, 0, 3, 3));
    EXPECT_EQ(RoundRectRegion(0, 0, 11, 11, 1, 1), QRegion(0, 0, 10, 10)) << "no corners";
}

} // namespace
