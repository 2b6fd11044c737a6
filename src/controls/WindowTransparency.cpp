// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowTransparency.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

WindowTransparency::WindowTransparency(QWidget* window)
    : QObject(window), m_window(window),
      m_outline(window->mask().isEmpty() ? QRegion(window->rect()) : window->mask()) {
    m_recut.setSingleShot(true);
    m_recut.setInterval(0);
    connect(&m_recut, &QTimer::timeout, this, &WindowTransparency::Refresh);
    watch(window);
}

void WindowTransparency::watch(QWidget* control) {
    control->installEventFilter(this);
    for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        watch(child);
}

void WindowTransparency::SetColourKey(bool on) {
    if (on == m_keyed)
        return;
    m_keyed = on;
    m_lastLook = QImage();
    if (!on)
        m_recut.stop();
    Refresh();
}

void WindowTransparency::SetAlpha(int position) {
    m_window->setWindowOpacity(OpacityOf(position));
}

qreal WindowTransparency::OpacityOf(int alphaPosition) {
    if (alphaPosition >= 10)
        return 1.0;
    return std::trunc(alphaPosition * 25.5) / 255.0;
}

QRegion WindowTransparency::KeptRegion(const QImage& image, const QColor& key) {
    const QImage look = image.convertToFormat(QImage::Format_RGB32);
    const QRgb keyed = key.rgb();
    // A mask is cut in the layout's pixels. On a denser screen a layout pixel stays wherever
    // any of its device pixels shows something, so nothing drawn is cut away.
    const qreal scale = std::max<qreal>(1, image.devicePixelRatio());
    const int w = int(std::ceil(look.width() / scale));
    const int h = int(std::ceil(look.height() / scale));
    std::vector<char> shown(std::size_t(w) * std::size_t(h), 0);
    for (int y = 0; y < look.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(look.constScanLine(y));
        char* line = shown.data() + std::size_t(std::min(int(y / scale), h - 1)) * std::size_t(w);
        for (int x = 0; x < look.width(); ++x)
            if (row[x] != keyed)
                line[std::min(int(x / scale), w - 1)] = 1;
    }
    // Runs of kept pixels row by row: one pixel high, apart and sorted, which is the form a
    // region takes without merging anything.
    std::vector<QRect> runs;
    for (int y = 0; y < h; ++y) {
        const char* line = shown.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w;) {
            if (!line[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && line[x])
                ++x;
            runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion kept;
    kept.setRects(runs.data(), int(runs.size()));
    return kept;
}

void WindowTransparency::Refresh() {
    m_recut.stop();
    if (!m_keyed) {
        setMask(m_outline);
        return;
    }
    // A hidden window may not have its controls yet; it is cut as it is shown.
    if (!m_window->isVisible())
        return;
    // The window as it would be drawn, outline or not: a pixel nothing paints is background.
    const QColor key = m_window->palette().color(QPalette::Window);
    // Drawn at the screen's density, as the screen shows it.
    const qreal scale = m_window->devicePixelRatioF();
    QImage look(m_window->size() * scale, QImage::Format_RGB32);
    look.setDevicePixelRatio(scale);
    look.fill(key);
    m_rendering = true;
    m_window->render(&look, QPoint(), QRegion(),
                     QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    m_rendering = false;
    // A control moved or repainted may still look the same to the key.
    if (look == m_lastLook) {
        emit outlineCut();
        return;
    }
    m_lastLook = look;
    setMask(m_outline.intersected(KeptRegion(look, key)));
}

void WindowTransparency::setMask(const QRegion& mask) {
    if (m_window->mask() != mask)
        m_window->setMask(mask);
    emit outlineCut();
}

namespace {

// A control that fills all of itself hides the window's background wherever it is: its
// repaints never uncover or cover a keyed pixel.
bool paintsAllOfItself(const QWidget* control) {
    if (control->testAttribute(Qt::WA_OpaquePaintEvent))
        return true;
    if (!control->autoFillBackground())
        return false;
    const QBrush& fill = control->palette().brush(control->backgroundRole());
    return fill.style() == Qt::SolidPattern && fill.isOpaque();
}

} // namespace

bool WindowTransparency::changesTheCut(const QWidget* control, const QEvent* event) const {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::LayoutRequest:
    case QEvent::ChildRemoved: return true;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::StyleChange: return control != m_window;
    // What a see-through control draws lies on the background and may be keyed.
    case QEvent::Paint: return control != m_window && !m_rendering && !paintsAllOfItself(control);
    default: return false;
    }
}

bool WindowTransparency::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget*>(child));
    }
    if (!m_keyed || !watched->isWidgetType())
        return false;
    const auto* control = static_cast<QWidget*>(watched);
    // Menus and dialogs owned by the window are windows of their own.
    if (control != m_window && control->isWindow())
        return false;
    if (control == m_window && event->type() == QEvent::Show)
        // Cut before the window reaches the screen, so its background never shows.
        Refresh();
    else if (changesTheCut(control, event))
        m_recut.start();
    return false;
}
