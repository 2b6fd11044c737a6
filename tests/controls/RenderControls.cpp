// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every look of the gradient button, the title bar at every quality and a sample
// window frame to PNG files, so that a reviewer can compare them with the look table.
// Usage: render_controls <output directory>

#include "controls/TdxButton.h"
#include "controls/WindowShape.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSky(166, 202, 240);
const QColor kWindow(220, 240, 255);

struct Shot {
    QString name;
    QImage image;
};

void Enter(QWidget* w) {
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent e(p, p, w->mapToGlobal(p));
    QApplication::sendEvent(w, &e);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A 16 x 16 picture: a red disc with a white cross on a magenta key colour.
QImage SampleGlyph() {
    QImage g(16, 16, QImage::Format_RGB32);
    g.fill(QColor(255, 0, 255));
    QPainter p(&g);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(QColor(200, 30, 30));
    p.setPen(QColor(120, 0, 0));
    p.drawEllipse(1, 1, 13, 13);
    p.setPen(Qt::white);
    p.drawLine(4, 7, 11, 7);
    p.drawLine(7, 4, 7, 11);
    return g;
}

// The main window's action-button colours.
void ActionColours(TdxButton& b) {
    b.Colors().SetBackgroundFrom(kNavy);
    b.Colors().SetBackgroundTo(kSky);
    b.Colors().SetClickedFrom(Qt::white);
    b.Colors().SetClickedTo(kNavy);
    b.Colors().SetFocusedFrom(Qt::white);
    b.Colors().SetFocusedTo(kSky);
    b.Colors().SetHighlightFrom(Qt::white);
    b.Colors().SetHighlightTo(kNavy);
    b.Colors().SetBorderEdges(kSky);
    b.Colors().SetBorderLine(Qt::black);
    b.SetFontColor(Qt::white);
}

void TitleColours(TdxButton& b) {
    for (auto set : {&TdxColors::SetBackgroundFrom, &TdxColors::SetClickedFrom,
                     &TdxColors::SetHighlightFrom, &TdxColors::SetFocusedFrom})
        (b.Colors().*set)(kNavy);
    for (auto set : {&TdxColors::SetBackgroundTo, &TdxColors::SetClickedTo,
                     &TdxColors::SetHighlightTo, &TdxColors::SetFocusedTo})
        (b.Colors().*set)(kSky);
    b.Colors().SetBorderEdges(kSky);
    b.Colors().SetBorderLine(Qt::black);
    b.Colors().SetHotTrack(Qt::black);
}

// One button in a small window of its own, put into a state by `drive`, then grabbed.
QImage ButtonShot(const std::function<void(TdxButton&)>& setup,
                  const std::function<void(QWidget&, TdxButton&)>& drive) {
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, kWindow);
    window.setPalette(pal);
    window.resize(120, 60);
    auto* other = new QLabel(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(0, 0, 1, 1);
    auto* button = new TdxButton(&window);
    button->move(10, 10);
    button->SetCaption(QStringLiteral("&Apply"));
    setup(*button);
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    other->setFocus();
    QApplication::processEvents();
    drive(window, *button);
    QApplication::processEvents();
    return button->grab().toImage();
}

QImage TitleBar(TdxQuality quality) {
    TdxButton bar;
    bar.resize(538, 26);
    TitleColours(bar);
    bar.SetQuality(quality);
    bar.setFocusPolicy(Qt::NoFocus);
    return bar.grab().toImage();
}

// A borderless window as the program draws it: title bar with its two buttons, border
// strips, menu buttons, cut to its outline (outside pixels transparent).
QImage WindowFrame() {
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, kWindow);
    window.setPalette(pal);
    window.resize(542, 140);

    auto* bar = new TdxButton(&window);
    bar->setGeometry(0, 0, 542, 26);
    TitleColours(*bar);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->SetShowFocusRect(false);
    bar->SetShowAccelChar(false);
    bar->SetCaption(QStringLiteral("Orvane"));
    QFont bold = bar->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    bar->setFont(bold);
    bar->SetFontColor(Qt::white);
    bar->SetSpacing(4);
    bar->SetGlyph(SampleGlyph());

    const auto small = [&](int x, const QString& caption, int pixels, bool strikeOut) {
        auto* b = new TdxButton(&window);
        b->setGeometry(x, 3, 20, 20);
        ActionColours(*b);
        b->setFocusPolicy(Qt::NoFocus);
        QFont f = b->font();
        f.setBold(true);
        f.setPixelSize(pixels);
        f.setStrikeOut(strikeOut);
        b->setFont(f);
        b->SetCaption(caption);
    };
    // The minimise dash is the strike-out line of a blank.
    small(499, QStringLiteral(" "), 24, true);
    small(518, QStringLiteral("X"), 13, false);

    const char* pages[] = {"Hotkeys", "View", "Window", "Help"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TdxButton(&window);
        b->setGeometry(3 + 100 * i, 27, 100, 16);
        b->Colors().SetBackgroundFrom(kSky);
        b->Colors().SetBorderLine(kNavy);
        b->Colors().SetClickedFrom(kNavy);
        b->Colors().SetFocusedFrom(kSky);
        b->Colors().SetHighlightFrom(kNavy);
        b->Colors().SetBackgroundTo(Qt::white);
        b->Colors().SetBorderEdges(kSky);
        b->SetFontColor(kNavy);
        b->setFocusPolicy(Qt::NoFocus);
        b->SetCaption(QString::fromLatin1(pages[i]));
    }
    const auto strip = [&](QRect r) {
        auto* s = new QLabel(&window);
        s->setAutoFillBackground(true);
        QPalette p = s->palette();
        p.setColor(QPalette::Window, kNavy);
        s->setPalette(p);
        s->setGeometry(r);
    };
    strip({0, 26, 2, 114});
    strip({540, 26, 2, 114});
    strip({0, 138, 542, 2});

    ApplyWindowShape(&window);
    QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = window.mask();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (!shape.contains(QPoint(x, y)))
                shot.setPixel(x, y, qRgba(0, 0, 0, 0));
    return shot;
}

// Shots on one sheet, each enlarged `scale` times and labelled.
QImage Sheet(const std::vector<Shot>& shots, int scale) {
    constexpr int label = 16;
    int width = 0, height = 0;
    for (const Shot& s : shots) {
        width = std::max(width, s.image.width() * scale);
        height += s.image.height() * scale + label + 8;
    }
    QImage sheet(width + 16, height + 8, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter p(&sheet);
    int y = 4;
    for (const Shot& s : shots) {
        p.setPen(Qt::black);
        p.drawText(8, y + 12, s.name);
        y += label;
        p.drawImage(QRect(8, y, s.image.width() * scale, s.image.height() * scale), s.image);
        y += s.image.height() * scale + 8;
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    const auto none = [](TdxButton&) {};
    const auto idle = [](QWidget&, TdxButton&) {};
    const auto hot = [](QWidget&, TdxButton& b) { Enter(&b); };
    const auto focused = [](QWidget&, TdxButton& b) { b.setFocus(); };
    const auto pressedIn = [](QWidget&, TdxButton& b) {
        Enter(&b);
        Mouse(&b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    };
    const auto pressedOut = [](QWidget&, TdxButton& b) {
        Enter(&b);
        Mouse(&b, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
        Mouse(&b, QEvent::MouseMove, {-20, 40}, Qt::LeftButton);
    };
    const auto makeDefault = [](TdxButton& b) { b.SetDefault(true); };
    const auto withGlyph = [](TdxLayout layout) {
        return [layout](TdxButton& b) {
            b.resize(90, 44);
            b.SetGlyph(SampleGlyph());
            b.SetLayout(layout);
        };
    };
    const auto disabled = [](TdxButton& b) {
        b.SetGlyph(SampleGlyph());
        b.resize(90, 25);
        b.setEnabled(false);
    };
    const auto hotTrack = [](TdxButton& b) { b.SetHotTrack(true); };
    const auto action = [](TdxButton& b) { ActionColours(b); };
    const auto longCaption = [](bool wordWrap, int height) {
        return [wordWrap, height](TdxButton& b) {
            b.resize(b.width(), height);
            b.SetWordWrap(wordWrap);
            b.SetCaption(QStringLiteral("A caption far too long for its button"));
        };
    };

    const std::vector<Shot> buttons = {
        {"button-normal", ButtonShot(none, idle)},
        {"button-hot", ButtonShot(none, hot)},
        {"button-hot-hottrack", ButtonShot(hotTrack, hot)},
        {"button-focused", ButtonShot(none, focused)},
        {"button-default", ButtonShot(makeDefault, idle)},
        {"button-hot-pressed", ButtonShot(none, pressedIn)},
        {"button-pressed-outside", ButtonShot(none, pressedOut)},
        {"button-disabled-glyph", ButtonShot(disabled, idle)},
        {"button-glyph-left", ButtonShot(withGlyph(blGlyphLeft), idle)},
        {"button-glyph-right", ButtonShot(withGlyph(blGlyphRight), idle)},
        {"button-glyph-top", ButtonShot(withGlyph(blGlyphTop), idle)},
        {"button-glyph-bottom", ButtonShot(withGlyph(blGlyphBottom), idle)},
        {"action-normal", ButtonShot(action, idle)},
        {"action-hot", ButtonShot(action, hot)},
        {"action-focused", ButtonShot(action, focused)},
        {"action-hot-pressed", ButtonShot(action, pressedIn)},
        {"button-long-caption", ButtonShot(longCaption(false, 25), idle)},
        {"button-long-caption-wrapped", ButtonShot(longCaption(true, 40), idle)},
    };
    const std::vector<Shot> frames = {
        {"titlebar-low", TitleBar(bqLow)},
        {"titlebar-middle", TitleBar(bqMiddle)},
        {"titlebar-high", TitleBar(bqHigh)},
        {"titlebar-out-of-range", TitleBar(static_cast<TdxQuality>(7))},
        {"window-frame", WindowFrame()},
    };

    bool ok = true;
    for (const auto* set : {&buttons, &frames})
        for (const Shot& s : *set)
            ok = s.image.save(out.filePath(s.name + QStringLiteral(".png"))) && ok;
    ok = Sheet(buttons, 4).save(out.filePath(QStringLiteral("sheet-buttons.png"))) && ok;
    ok = Sheet(frames, 2).save(out.filePath(QStringLiteral("sheet-frames.png"))) && ok;
    std::printf("%zu pictures, sheet-buttons.png and sheet-frames.png written to %s\n",
                buttons.size() + frames.size(), qPrintable(out.absolutePath()));
    return ok ? 0 : 1;
}
