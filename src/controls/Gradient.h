// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRgb>
#include <functional>
#include <vector>

// Vertical colour gradients as the gradient buttons paint them: a ramp of N colours laid
// out in N horizontal bands, optionally dithered at the band boundaries.

// The N colours from `from` to `to`: colour i has, per channel, from + i * (to - from) / (N - 1)
// rounded to the nearest integer, halves to the even neighbour. Colour 0 is `from`, colour
// N - 1 is `to`. Fewer than two colours give `from` alone (or nothing for n < 1).
std::vector<QRgb> BuildColorRamp(const QColor& from, const QColor& to, int n);

// The top row of band i when `height` rows are split into n bands: i * height / n rounded
// to the nearest integer, halves away from zero.
int GradientBandTop(int i, int height, int n);

// Returns a uniform integer in 0 .. j - 1 (0 when j is 0). The dithering's random source.
using GradientRandom = std::function<int(int j)>;

// A width x height image filled top to bottom with the n bands of the ramp from `from` to
// `to`; where several bands share a top row the later one wins. With dithering, the top
// rows of each band get scattered pixels of the band above, drawn in a 16-pixel strip that
// is then repeated across the width. `random` defaults to the process-wide generator.
QImage FillGradient(int width, int height, const QColor& from, const QColor& to, int n, bool dither,
                    const GradientRandom& random = {});
