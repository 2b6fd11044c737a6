// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxCustomControl.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

QChar AccelChar(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i; // "&&" is a literal ampersand
    }
    return {};
}

TdxCustomControl::TdxCustomControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, [this] { FocusChanged(); });
    WatchWindow();
}

TdxCustomControl::~TdxCustomControl() {
    // The widget's own destruction moves the focus; this part must not hear of it.
    disconnect(m_focusConnection);
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
}

void TdxCustomControl::SetCaption(const QString& caption) {
    if (Change(m_caption, caption))
        UpdateAccelerator();
}

QColor TdxCustomControl::Color() const {
    if (m_color.isValid())
        return m_color;
    if (const QWidget* parent = parentWidget())
        return parent->palette().color(parent->backgroundRole());
    return palette().color(QPalette::Window);
}

void TdxCustomControl::SetColor(const QColor& color) {
    m_color = color;
    update();
}

void TdxCustomControl::SetParentColor(bool value) {
    if (value == ParentColor())
        return;
    SetColor(value ? QColor() : Color());
}

QColor TdxCustomControl::FontColor() const {
    return palette().color(QPalette::ButtonText);
}

void TdxCustomControl::SetFontColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, color);
    setPalette(p);
    update();
}

void TdxCustomControl::SetTabStop(bool value) {
    if (focusPolicy() == Qt::NoFocus)
        return;
    setFocusPolicy(value ? Qt::TabFocus : Qt::ClickFocus);
}

QString TdxCustomControl::About() const {
    return QStringLiteral("Orvane gradient controls");
}

QString TdxCustomControl::Version() const {
    return QStringLiteral("1.0");
}

bool TdxCustomControl::CanFocus() const {
    return isVisible() && isEnabled();
}

void TdxCustomControl::Click() {
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
        dialog->setResult(m_modalResult);
        // As a modal result of zero means "keep the dialog open".
        if (m_modalResult != 0 && dialog->isModal() && dialog->isVisible())
            dialog->done(m_modalResult);
    }
    emit OnClick();
}

void TdxCustomControl::NotifyFocusChanged(QWidget* window) {
    if (!window)
        return;
    if (auto* self = qobject_cast<TdxCustomControl*>(window))
        self->FocusChanged();
    for (TdxCustomControl* control : window->findChildren<TdxCustomControl*>())
        control->FocusChanged();
}

bool TdxCustomControl::DialogKey(QKeyEvent*) {
    return false;
}

void TdxCustomControl::FocusChanged() {
    const bool focused = hasFocus();
    const QWidget* active = window()->focusWidget();
    const bool otherActive = qobject_cast<const TdxCustomControl*>(active) != nullptr;
    const bool pressed = focused && m_pressed;
    if (focused == m_focused && otherActive == m_otherActive && pressed == m_pressed)
        return;
    m_focused = focused;
    m_otherActive = otherActive;
    m_pressed = pressed;
    update();
}

void TdxCustomControl::PointerEntered() {
    if (m_pointerInside)
        return;
    m_pointerInside = true;
    SetHot(true);
    emit OnMouseEnter();
}

void TdxCustomControl::PointerLeft() {
    if (!m_pointerInside)
        return;
    m_pointerInside = false;
    SetHot(false);
    emit OnMouseLeave();
}

void TdxCustomControl::WatchWindow() {
    QWidget* w = window();
    if (w == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = w;
    w->installEventFilter(this);
}

void TdxCustomControl::UpdateAccelerator() {
    if (m_shortcutId) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (ShowsAccelerator() && !AccelChar(m_caption).isNull())
        m_shortcutId = grabShortcut(QKeySequence::mnemonic(m_caption));
}

bool TdxCustomControl::IsAcceleratorKey(const QKeyEvent* event) const {
    if (!ShowsAccelerator() || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const QChar accel = AccelChar(m_caption);
    return !accel.isNull() && event->text().size() == 1 &&
           event->text().at(0).toUpper() == accel.toUpper();
}

bool TdxCustomControl::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Shortcut:
        // The accelerator with Alt held, from anywhere in the window.
        if (CanFocus()) {
            Click();
            return true;
        }
        break;
    case QEvent::ParentChange:
    case QEvent::Show:
        // The window may have changed above the parent too.
        WatchWindow();
        update();
        break;
    default: break;
    }
    return QWidget::event(event);
}

bool TdxCustomControl::eventFilter(QObject* watched, QEvent* event) {
    // Enter and Esc reach the window when its focused control did not want them; every
    // gradient control is then offered them, as dialog keys.
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape) && DialogKey(key)) {
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TdxCustomControl::enterEvent(QEnterEvent* event) {
    PointerEntered();
    QWidget::enterEvent(event);
}

void TdxCustomControl::leaveEvent(QEvent* event) {
    PointerLeft();
    QWidget::leaveEvent(event);
}

void TdxCustomControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (focusPolicy() != Qt::NoFocus)
            setFocus(Qt::MouseFocusReason);
        m_leftDown = true;
        SetPressed(true);
    }
    QWidget::mousePressEvent(event);
}

void TdxCustomControl::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held the pointer is grabbed and no leave or enter arrives before
    // the release, so whether the pointer is over the control is read from the moves.
    if (event->buttons() != Qt::NoButton) {
        if (rect().contains(event->position().toPoint()))
            PointerEntered();
        else
            PointerLeft();
    }
    QWidget::mouseMoveEvent(event);
}

void TdxCustomControl::mouseReleaseEvent(QMouseEvent* event) {
    SetPressed(false);
    if (event->button() == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        if (rect().contains(event->position().toPoint()))
            Click();
    }
    QWidget::mouseReleaseEvent(event);
}

void TdxCustomControl::keyPressEvent(QKeyEvent* event) {
    // The accelerator typed without Alt counts only on the focused control.
    if (m_focused && IsAcceleratorKey(event) && CanFocus()) {
        Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TdxCustomControl::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::LayoutDirectionChange: update(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}
