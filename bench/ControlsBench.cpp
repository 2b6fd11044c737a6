// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the gradient button's two costs: one repaint of a 538 x 26 title bar (which
// only copies the prepared bitmaps, whatever the quality) and one rebuild of its gradient
// bitmaps at each quality.

#include "controls/TdxButton.h"
#include "controls/TdxButtonPainter.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSky(166, 202, 240);

// The main window's title bar: Blue scheme, bold white caption and a 16 x 16 picture.
void MakeTitleBar(TdxButton& bar, TdxQuality quality) {
    bar.resize(538, 26);
    bar.setFocusPolicy(Qt::NoFocus);
    bar.SetShowFocusRect(false);
    bar.SetShowAccelChar(false);
    for (auto set : {&TdxColors::SetBackgroundFrom, &TdxColors::SetClickedFrom,
                     &TdxColors::SetHighlightFrom, &TdxColors::SetFocusedFrom})
        (bar.Colors().*set)(kNavy);
    for (auto set : {&TdxColors::SetBackgroundTo, &TdxColors::SetClickedTo,
                     &TdxColors::SetHighlightTo, &TdxColors::SetFocusedTo})
        (bar.Colors().*set)(kSky);
    QFont f = bar.font();
    f.setBold(true);
    f.setPixelSize(16);
    bar.setFont(f);
    bar.SetFontColor(Qt::white);
    bar.SetCaption(QStringLiteral("Orvane"));
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::magenta);
    glyph.setPixel(8, 8, qRgb(200, 0, 0));
    bar.SetGlyph(glyph);
    bar.SetSpacing(4);
    bar.SetQuality(quality);
}

const char* QualityName(int q) {
    switch (q) {
    case bqLow: return "bqLow";
    case bqMiddle: return "bqMiddle";
    case bqHigh: return "bqHigh";
    }
    return "other";
}

void BM_TitleBarRepaint(benchmark::State& state) {
    TdxButton bar;
    MakeTitleBar(bar, static_cast<TdxQuality>(state.range(0)));
    QImage target(bar.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        TdxButtonPainter::Paint(painter, bar);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetLabel(QualityName(int(state.range(0))));
}

void BM_GradientRebuild(benchmark::State& state) {
    TdxButton bar;
    MakeTitleBar(bar, static_cast<TdxQuality>(state.range(0)));
    for (auto _ : state) {
        bar.RebuildGradients();
        benchmark::DoNotOptimize(bar.FaceBitmap().constBits());
    }
    state.SetLabel(QualityName(int(state.range(0))));
}

BENCHMARK(BM_TitleBarRepaint)->DenseRange(bqLow, bqHigh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradientRebuild)->DenseRange(bqLow, bqHigh)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
