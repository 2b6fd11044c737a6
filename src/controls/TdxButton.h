// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/TdxColors.h"
#include "controls/TdxCustomControl.h"

#include <QImage>
#include <QPointer>

class QAction;

// Where the glyph sits beside the caption. The fixed underlying type makes any int a
// valid value, so a stored number outside the list can be held and handled.
enum TdxLayout : int { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// How finely the gradients are banded. Any value outside bqLow .. bqHigh paints like
// bqMiddle without dithering; the fixed underlying type lets such a value be held at all.
enum TdxQuality : int { bqLow, bqMiddle, bqHigh };

// Band count and dithering of a quality.
struct TdxGradientSteps {
    int bands;
    bool dither;
};
TdxGradientSteps GradientSteps(TdxQuality quality);

// The gradient push button, also used as title bar: a face gradient inside a rounded
// outline, with a frame gradient while hot, focused or default, a clicked gradient while
// pressed, an optional glyph and a caption. The four gradients are rendered into bitmaps
// when the size, a colour or the quality changes; painting only copies them.
class TdxButton : public TdxCustomControl {
    Q_OBJECT
public:
    explicit TdxButton(QWidget* parent = nullptr);
    ~TdxButton() override;

    // An optional action: its text, enabled state and icon show on the button, and a click
    // triggers it.
    QAction* Action() const { return m_action; }
    void SetAction(QAction* action);

    bool AutoGray() const { return m_autoGray; }
    virtual void SetAutoGray(bool value) { Change(m_autoGray, value); }
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    TdxColors& Colors() { return m_colors; }
    const TdxColors& Colors() const { return m_colors; }
    bool Default() const { return m_default; }
    virtual void SetDefault(bool value);
    QImage Glyph() const { return m_glyph; }
    virtual void SetGlyph(const QImage& glyph);
    bool HotTrack() const { return m_hotTrack; }
    virtual void SetHotTrack(bool value) { Change(m_hotTrack, value); }
    TdxLayout Layout() const { return m_layout; }
    virtual void SetLayout(TdxLayout value) { Change(m_layout, value); }
    TdxQuality Quality() const { return m_quality; }
    virtual void SetQuality(TdxQuality value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    virtual void SetShowAccelChar(bool value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    virtual void SetShowFocusRect(bool value) { Change(m_showFocusRect, value); }
    quint8 Spacing() const { return m_spacing; }
    virtual void SetSpacing(quint8 value) { Change(m_spacing, value); }
    bool WordWrap() const { return m_wordWrap; }
    virtual void SetWordWrap(bool value) { Change(m_wordWrap, value); }

    // Whether the face is drawn inset inside a frame gradient.
    bool IsFramed(bool ignoreDefault) const;

    // Renders the four state bitmaps for the current size, colours and quality.
    void RebuildGradients();
    const QImage& FaceBitmap() const { return m_face; }
    const QImage& ClickedBitmap() const { return m_clicked; }
    const QImage& FocusedBitmap() const { return m_focusedBitmap; }
    const QImage& HighlightBitmap() const { return m_highlight; }

    // The glyph as it is painted now: the action's icon or Glyph, its bottom-left colour
    // transparent, and grey while disabled with AutoGray on. Null when there is none.
    QImage PaintedGlyph() const;

protected:
    bool ShowsAccelerator() const override { return m_showAccelChar; }
    bool DialogKey(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ActionChanged();

    TdxColors m_colors;
    QPointer<QAction> m_action;
    QImage m_glyph;
    QImage m_glyphShown;
    QImage m_glyphGrey;
    QImage m_face;
    QImage m_clicked;
    QImage m_focusedBitmap;
    QImage m_highlight;
    TdxLayout m_layout = blGlyphLeft;
    TdxQuality m_quality = bqMiddle;
    quint8 m_spacing = 3;
    bool m_autoGray = true;
    bool m_cancel = false;
    bool m_default = false;
    bool m_hotTrack = false;
    bool m_showAccelChar = true;
    bool m_showFocusRect = true;
    bool m_wordWrap = true;
};
