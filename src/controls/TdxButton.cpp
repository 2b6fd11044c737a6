// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxButton.h"

#include "controls/AccessibleWidgets.h"
#include "controls/Gradient.h"
#include "controls/TdxButtonPainter.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>

TdxGradientSteps GradientSteps(TdxQuality quality) {
    switch (quality) {
    case bqLow: return {8, false};
    case bqMiddle: return {16, false};
    case bqHigh: return {64, true};
    }
    return {16, false};
}

TdxButton::TdxButton(QWidget* parent)
    : TdxCustomControl(parent), m_colors([this] { RebuildGradients(); }) {
    resize(73, 25);
    RebuildGradients();
    AccessibleWidgets::Install();
}

TdxButton::~TdxButton() = default;

void TdxButton::SetAction(QAction* action) {
    if (action == m_action)
        return;
    if (m_action) {
        disconnect(m_action, nullptr, this, nullptr);
        disconnect(this, &TdxButton::OnClick, m_action, nullptr);
    }
    m_action = action;
    if (action) {
        connect(action, &QAction::changed, this, &TdxButton::ActionChanged);
        connect(action, &QObject::destroyed, this, [this] { update(); });
        connect(this, &TdxButton::OnClick, action, &QAction::trigger);
        ActionChanged();
    }
    update();
}

void TdxButton::ActionChanged() {
    if (!m_action)
        return;
    SetCaption(m_action->text());
    setEnabled(m_action->isEnabled());
    update();
}

void TdxButton::SetDefault(bool value) {
    // Every gradient control of the window re-reads who is active and repaints.
    if (Change(m_default, value))
        NotifyFocusChanged(window());
}

void TdxButton::SetGlyph(const QImage& glyph) {
    m_glyph = glyph;
    m_glyphShown = TransparentGlyph(glyph);
    m_glyphGrey = GrayGlyph(m_glyphShown);
    update();
}

void TdxButton::SetQuality(TdxQuality value) {
    if (Change(m_quality, value))
        RebuildGradients();
}

void TdxButton::SetShowAccelChar(bool value) {
    if (Change(m_showAccelChar, value))
        UpdateAccelerator();
}

bool TdxButton::IsFramed(bool ignoreDefault) const {
    // Pressed with the pointer gone: framed, to show that a release here will not click.
    bool framed = IsPressed() ? !IsHot() : (IsHot() || IsFocused());
    if (!ignoreDefault)
        framed = framed || (m_default && !IsOtherActive());
    return framed;
}

void TdxButton::RebuildGradients() {
    const TdxGradientSteps steps = GradientSteps(m_quality);
    const int k = IsFramed(true) ? 1 : 0;
    const int w = width() - 2;
    const int h = height() - 2;
    const TdxColors& c = m_colors;
    m_face = FillGradient(w - 4 * k, h - 4 * k, c.BackgroundFrom(), c.BackgroundTo(), steps.bands,
                          steps.dither);
    m_clicked = FillGradient(w, h, c.ClickedFrom(), c.ClickedTo(), steps.bands, steps.dither);
    m_focusedBitmap = FillGradient(w, h, c.FocusedFrom(), c.FocusedTo(), steps.bands, steps.dither);
    m_highlight = FillGradient(w, h, c.HighlightFrom(), c.HighlightTo(), steps.bands, steps.dither);
    update();
}

QImage TdxButton::PaintedGlyph() const {
    QImage glyph = m_glyphShown;
    QImage grey = m_glyphGrey;
    if (m_action && !m_action->icon().isNull()) {
        const QIcon icon = m_action->icon();
        const QSize size = icon.availableSizes().value(0, QSize(16, 16));
        glyph = TransparentGlyph(icon.pixmap(size).toImage());
        grey = GrayGlyph(glyph);
    }
    return m_autoGray && !isEnabled() ? grey : glyph;
}

bool TdxButton::DialogKey(QKeyEvent* event) {
    const int key = event->key();
    bool clicks = false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        clicks = IsFocused() || (m_default && !IsOtherActive());
    else if (key == Qt::Key_Escape)
        clicks = m_cancel && !(event->modifiers() &
                               (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (!clicks || !CanFocus())
        return false;
    Click();
    return true;
}

void TdxButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TdxButtonPainter::Paint(painter, *this);
}

void TdxButton::resizeEvent(QResizeEvent* event) {
    TdxCustomControl::resizeEvent(event);
    RebuildGradients();
}

void TdxButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Space && mods == Qt::NoModifier) {
        // Space acts like a left press, and shows the button as under the pointer.
        SetHot(true);
        if (focusPolicy() != Qt::NoFocus)
            setFocus(Qt::OtherFocusReason);
        SetPressed(true);
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && DialogKey(event)) {
        event->accept();
        return;
    }
    TdxCustomControl::keyPressEvent(event);
}

void TdxButton::keyReleaseEvent(QKeyEvent* event) {
    // The system repeats a held key as release and press pairs; only the real release counts.
    if (IsPressed() && !event->isAutoRepeat()) {
        if (!PointerInside())
            SetHot(false);
        SetPressed(false);
        Click();
        event->accept();
        return;
    }
    TdxCustomControl::keyReleaseEvent(event);
}
