// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QRegion>
#include <QTimer>

class QWidget;

// The see-through of a borderless window: its outline, optionally with every pixel of the
// window's background colour keyed out, and its opacity. The key is the background colour at
// the moment of each cut. The cut is redone when what the key sees may have changed: the
// window shown or resized, a palette changed, a control shown, hidden, moved, resized, added
// or removed, or a control that lets the background through repainted. A control that paints
// all of itself (a list, a gradient button) repaints on every hover without a recut.
class WindowTransparency : public QObject {
    Q_OBJECT
public:
    // Takes over the window's mask. The mask the window has now (the outline cut at its
    // creation) is what it keeps with the key off.
    explicit WindowTransparency(QWidget* window);

    bool ColourKey() const { return m_keyed; }
    void SetColourKey(bool on);
    // Opacity by an Alpha slider position.
    void SetAlpha(int position);
    // 10 (or more): opaque; 2..9: truncate(position * 25.5) / 255.
    static qreal OpacityOf(int alphaPosition);

    // What stays of `image` once its pixels of exactly `key` are see-through, in the layout's
    // pixels: of an image drawn for a denser screen, a layout pixel stays where any of its
    // device pixels is not the key.
    static QRegion KeptRegion(const QImage& image, const QColor& key);

    // Cuts the outline for the window's look now.
    void Refresh();

signals:
    // The window's mask has been cut anew.
    void outlineCut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setMask(const QRegion& mask);
    void watch(QWidget* control);
    bool changesTheCut(const QWidget* control, const QEvent* event) const;

    QWidget* const m_window;
    const QRegion m_outline;
    // Coalesces the repaints of one event-loop turn into one cut.
    QTimer m_recut;
    QImage m_lastLook;
    bool m_keyed = false;
    // The cut's own render paints every control; those paints change nothing.
    bool m_rendering = false;
};
