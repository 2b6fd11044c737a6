// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

class QKeyEvent;

// The base of the gradient controls: a focusable, self-painted control that keeps track of
// the pointer (hot), the keyboard focus (focused) and a press in progress (pressed), of
// whether its window's focused control is a gradient control (other-active), and that
// clicks on release inside, on its accelerator and through the dialog keys of its window.
class TdxCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit TdxCustomControl(QWidget* parent = nullptr);
    ~TdxCustomControl() override;

    bool IsHot() const { return m_hot; }
    bool IsFocused() const { return m_focused; }
    bool IsPressed() const { return m_pressed; }
    // True while the window's focused control is a gradient control (this one included).
    bool IsOtherActive() const { return m_otherActive; }

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    // Copied to the window's result when the control is clicked.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }

    // The colour around the rounded corners: the parent's background unless set.
    QColor Color() const;
    void SetColor(const QColor& color);
    bool ParentColor() const { return !m_color.isValid(); }
    void SetParentColor(bool value);

    // The caption's colour while not hot-tracked.
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    // Reached by the Tab key; a control without a tab stop still takes the focus when
    // pressed, and one with Qt::NoFocus never does.
    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void SetTabStop(bool value);

    QString About() const;
    virtual QString Version() const;

    // Whether the control is visible and enabled, so that it could hold the focus.
    bool CanFocus() const;

    // Runs a click: the modal result goes to the window, then OnClick.
    void Click();

    // Every gradient control of `window` re-reads its focus state and repaints.
    static void NotifyFocusChanged(QWidget* window);

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    // Enter or Esc that no control of the window took. Returns true when handled.
    virtual bool DialogKey(QKeyEvent* event);
    // The focus state of the window changed.
    virtual void FocusChanged();

    // State changes for subclasses (keyboard presses act like mouse presses).
    void SetHot(bool value) { Change(m_hot, value); }
    void SetPressed(bool value) { Change(m_pressed, value); }
    // A property's setter: stores value and repaints. False, with nothing done, when the
    // property held the value already, so the caller has nothing to redo either.
    template <typename T> bool Change(T& field, const T& value) {
        if (field == value)
            return false;
        field = value;
        update();
        return true;
    }
    // Whether the pointer itself is over the control (hot can also be set by a key).
    bool PointerInside() const { return m_pointerInside; }
    // Whether "&" in the caption marks an accelerator; call UpdateAccelerator when it changes.
    virtual bool ShowsAccelerator() const { return true; }
    void UpdateAccelerator();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PointerEntered();
    void PointerLeft();
    void WatchWindow();
    bool IsAcceleratorKey(const QKeyEvent* event) const;

    QString m_caption;
    QColor m_color;
    int m_modalResult = 0;
    bool m_hot = false;
    bool m_focused = false;
    bool m_pressed = false;
    bool m_otherActive = false;
    bool m_pointerInside = false;
    bool m_leftDown = false;
    int m_shortcutId = 0;
    QPointer<QWidget> m_watchedWindow;
    QMetaObject::Connection m_focusConnection;
};

// The accelerator character of a caption: the character after a single "&" ("&&" is a
// literal "&"), or a null character when there is none.
QChar AccelChar(const QString& caption);
