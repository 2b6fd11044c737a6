// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Gradient.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Dithering draws into one strip this wide and copies it across the bitmap.
constexpr int kDitherStrip = 16;

int RampChannel(int from, int to, int i, int n) {
    // i * (to - from) / (n - 1) computed as one division of exact integers, so a value that
    // is exactly half-way stays exactly half-way and rounds to the even neighbour.
    const double offset = double(i * (to - from)) / double(n - 1);
    return std::clamp(from + int(std::nearbyint(offset)), 0, 255);
}

int DefaultRandom(int j) {
    return j > 0 ? int(QRandomGenerator::global()->bounded(j)) : 0;
}

} // namespace

std::vector<QRgb> BuildColorRamp(const QColor& from, const QColor& to, int n) {
    std::vector<QRgb> ramp;
    if (n < 1)
        return ramp;
    const QRgb a = from.rgb();
    const QRgb b = to.rgb();
    if (n == 1) {
        ramp.push_back(qRgb(qRed(a), qGreen(a), qBlue(a)));
        return ramp;
    }
    ramp.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        ramp.push_back(qRgb(RampChannel(qRed(a), qRed(b), i, n),
                            RampChannel(qGreen(a), qGreen(b), i, n),
                            RampChannel(qBlue(a), qBlue(b), i, n)));
    return ramp;
}

int GradientBandTop(int i, int height, int n) {
    // Non-negative operands: adding half the divisor rounds halves away from zero.
    const long long num = 2LL * i * height + n;
    return int(num / (2LL * n));
}

namespace {

QRgb* Row(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

// Band i covers its top row down to the next band's top (the last band to the bottom).
void PaintBands(QImage& image, const std::vector<QRgb>& ramp, const std::vector<int>& tops) {
    const std::size_t n = ramp.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int bottom = i + 1 < n ? tops[i + 1] : image.height();
        for (int y = tops[i]; y < bottom; ++y)
            std::fill_n(Row(image, y), image.width(), ramp[i]);
    }
}

// Scatters pixels of the band above into the top rows of each band, within the strip.
void DitherBandTops(QImage& image, const std::vector<QRgb>& ramp, const std::vector<int>& tops,
                    const GradientRandom& pick) {
    const int n = int(ramp.size());
    const int strip = std::min(image.width(), kDitherStrip);
    const int depth = image.height() / (n - 1);
    for (int i = 1; i < n; ++i) {
        const QRgb above = ramp[std::size_t(i - 1)];
        for (int x = 0; x < kDitherStrip; ++x) {
            for (int j = 0; j <= depth; ++j) {
                const int y = tops[std::size_t(i)] + (j > 0 ? pick(j) : 0);
                // The scatter can reach past the last row of a tall bitmap, and the strip
                // past the right edge of a narrow one: such pixels do not exist.
                if (x < strip && y >= 0 && y < image.height())
                    Row(image, y)[x] = above;
            }
        }
    }
}

// Repeats the dithered strip across the width, one 16-pixel block at a time.
void RepeatDitherStrip(QImage& image) {
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = Row(image, y);
        for (int x = kDitherStrip; x < width; x += kDitherStrip)
            std::memcpy(row + x, row,
                        sizeof(QRgb) * std::size_t(std::min(kDitherStrip, width - x)));
    }
}

} // namespace

QImage FillGradient(int width, int height, const QColor& from, const QColor& to, int n, bool dither,
                    const GradientRandom& random) {
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(from.rgb());
    if (n < 1)
        return image;

    const std::vector<QRgb> ramp = BuildColorRamp(from, to, n);
    std::vector<int> tops(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        tops[std::size_t(i)] = GradientBandTop(i, height, n);
    PaintBands(image, ramp, tops);

    if (!dither || n < 2)
        return image;
    DitherBandTops(image, ramp, tops, random ? random : GradientRandom(DefaultRandom));
    RepeatDitherStrip(image);
    return image;
}
