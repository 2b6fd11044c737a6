// SPDX-License-Identifier: GPL-3.0-or-later
// Gradient bitmaps, pixel by pixel: the ramp, the band rows, the dithering, and the state
// bitmaps a button builds from them.
#include "controls/Gradient.h"
#include "controls/TdxButton.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSky(166, 202, 240);

// The colour of each row of column x.
std::vector<QRgb> Column(const QImage& image, int x) {
    std::vector<QRgb> rows;
    rows.reserve(std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows.push_back(image.pixel(x, y) | 0xff000000u);
    return rows;
}

// A 538 x 26 title bar in the Blue scheme.
void MakeTitleBar(TdxButton& bar) {
    bar.resize(538, 26);
    bar.Colors().SetBackgroundFrom(kNavy);
    bar.Colors().SetBackgroundTo(kSky);
}

TEST(BuildColorRamp, EndsAreFromAndToAndHalvesRoundToEven) {
    for (int n : {2, 3, 8, 16, 64}) {
        const auto ramp = BuildColorRamp(QColor(1, 254, 77), QColor(250, 3, 78), n);
        ASSERT_EQ(int(ramp.size()), n);
        EXPECT_EQ(ramp.front(), qRgb(1, 254, 77)) << n;
        EXPECT_EQ(ramp.back(), qRgb(250, 3, 78)) << n;
    }
    // Middle of three: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, and downwards 1 - 0.5 -> 1.
    const auto ramp = BuildColorRamp(QColor(0, 0, 0), QColor(1, 3, 5), 3);
    EXPECT_EQ(ramp[1], qRgb(0, 2, 2));
    EXPECT_EQ(BuildColorRamp(QColor(1, 0, 0), QColor(0, 0, 0), 3)[1], qRgb(1, 0, 0));
    EXPECT_EQ(BuildColorRamp(kNavy, kSky, 1), std::vector<QRgb>{kNavy.rgb()});
    EXPECT_TRUE(BuildColorRamp(kNavy, kSky, 0).empty());
}

TEST(FillGradient, BlueTitleBarAtMiddleQualityHasTheListedBands) {
    TdxButton bar;
    MakeTitleBar(bar);
    const QImage& face = bar.FaceBitmap();
    ASSERT_EQ(face.size(), QSize(536, 24));

    const int tops[16] = {0, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 23};
    const int colours[16][3] = {{0, 0, 128},     {11, 13, 135},   {22, 27, 143},   {33, 40, 150},
                                {44, 54, 158},   {55, 67, 165},   {66, 81, 173},   {77, 94, 180},
                                {89, 108, 188},  {100, 121, 195}, {111, 135, 203}, {122, 148, 210},
                                {133, 162, 218}, {144, 175, 225}, {155, 189, 233}, {166, 202, 240}};
    std::vector<QRgb> expected;
    for (int i = 0; i < 16; ++i) {
        const int end = i < 15 ? tops[i + 1] : 24;
        for (int y = tops[i]; y < end; ++y)
            expected.push_back(qRgb(colours[i][0], colours[i][1], colours[i][2]));
    }
    EXPECT_EQ(Column(face, 0), expected);
    EXPECT_EQ(Column(face, 535), expected);
}

TEST(FillGradient, LowQualityGivesEightBandsOfThreeRows) {
    TdxButton bar;
    MakeTitleBar(bar);
    bar.SetQuality(bqLow);
    const auto ramp = BuildColorRamp(kNavy, kSky, 8);
    const auto column = Column(bar.FaceBitmap(), 100);
    ASSERT_EQ(column.size(), 24u);
    for (int y = 0; y < 24; ++y)
        EXPECT_EQ(column[std::size_t(y)], ramp[std::size_t(y / 3)]) << "row " << y;
}

TEST(FillGradient, QualityOutsideTheRangePaintsLikeMiddleWithoutDithering) {
    TdxButton bar;
    MakeTitleBar(bar);
    const QImage middle = bar.FaceBitmap();
    bar.SetQuality(static_cast<TdxQuality>(7));
    EXPECT_EQ(bar.FaceBitmap(), middle);
    bar.SetQuality(static_cast<TdxQuality>(-1));
    EXPECT_EQ(bar.FaceBitmap(), middle);
}

TEST(FillGradient, LaterBandWinsASharedTopRow) {
    // Three rows, eight bands: tops 0 0 1 1 2 2 2 3 -> rows take bands 1, 3 and 6.
    const auto ramp = BuildColorRamp(kNavy, kSky, 8);
    const QImage image = FillGradient(4, 3, kNavy, kSky, 8, false);
    EXPECT_EQ(Column(image, 3), (std::vector<QRgb>{ramp[1], ramp[3], ramp[6]}));
}

TEST(FillGradient, DitheringOnAShortBitmapRecoloursEachBandTopRowAcrossTheWidth) {
    // 40 rows, 64 bands: H div 63 = 0, so only the top row of each band changes, to the
    // colour of the band above, across the full (not block-aligned) width.
    const auto ramp = BuildColorRamp(kNavy, kSky, 64);
    const QImage plain = FillGradient(50, 40, kNavy, kSky, 64, false);
    const QImage dithered = FillGradient(50, 40, kNavy, kSky, 64, true);
    std::vector<int> lastBandAtRow(40, -1);
    for (int i = 0; i < 64; ++i)
        lastBandAtRow[std::size_t(GradientBandTop(i, 40, 64))] = i;
    for (int y = 0; y < 40; ++y) {
        const int band = lastBandAtRow[std::size_t(y)];
        const QRgb want = band >= 1 ? ramp[std::size_t(band - 1)] : plain.pixel(0, y);
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(dithered.pixel(x, y), want) << x << "," << y;
    }
}

TEST(FillGradient, DitherScatterStaysInItsBandsAndRepeatsEvery16Pixels) {
    // Tall bitmap with few bands: the scatter depth H div (N - 1) = 171 rows is deeper
    // than a band (150 rows). A generator always giving its largest value fills each band
    // with the colour above it, and reaches past the bottom row, which must be cut off.
    const auto ramp = BuildColorRamp(kNavy, kSky, 8);
    const QImage image = FillGradient(37, 1200, kNavy, kSky, 8, true, [](int j) { return j - 1; });
    for (int y = 0; y < 1200; ++y)
        ASSERT_EQ(image.pixel(0, y), ramp[std::size_t(std::max(0, y / 150 - 1))]) << y;
    for (int y = 0; y < 1200; ++y)
        for (int x = 16; x < 37; ++x)
            ASSERT_EQ(image.pixel(x, y), image.pixel(x % 16, y)) << x << "," << y;

    EXPECT_FALSE(FillGradient(5, 70, kNavy, kSky, 8, true).isNull()) << "narrower than the strip";
}

TEST(TdxButtonGradients, FaceBuiltWhileFramedIsFourPixelsSmaller) {
    QWidget window;
    auto* button = new TdxButton(&window);
    window.show();
    EXPECT_EQ(button->FaceBitmap().size(), QSize(71, 23));
    EXPECT_EQ(button->ClickedBitmap().size(), QSize(71, 23));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    ASSERT_TRUE(button->IsFramed(true));
    button->resize(80, 30);
    EXPECT_EQ(button->FaceBitmap().size(), QSize(74, 24));
    EXPECT_EQ(button->HighlightBitmap().size(), QSize(78, 28));
}

TEST(TdxButtonGradients, OnlyARealColourChangeRebuilds) {
    TdxButton button;
    const qint64 before = button.FaceBitmap().cacheKey();
    button.Colors().SetBackgroundFrom(QColor(255, 255, 255));
    button.Colors().SetHotTrack(QColor(255, 0, 0));
    button.SetQuality(bqMiddle);
    EXPECT_EQ(button.FaceBitmap().cacheKey(), before);
    button.Colors().SetBackgroundFrom(kNavy);
    EXPECT_NE(button.FaceBitmap().cacheKey(), before);
    EXPECT_EQ(button.FaceBitmap().pixel(0, 0), kNavy.rgb());
    const qint64 navy = button.FaceBitmap().cacheKey();
    button.Colors().SetBackgroundFrom(QColor::fromHsv(kNavy.hue(), 255, 128));
    EXPECT_EQ(button.FaceBitmap().cacheKey(), navy) << "same colour, other colour model";
}

} // namespace
