// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <vector>

class QMouseEvent;
class QWidget;

// Moves a borderless window by the drag of its title bar or surface. A press of any
// button on a drag area stores the anchor (the press position in that area's own
// coordinates); a move over an area with the left button held moves the window by the
// pointer's offset from the anchor. There is no limit to the screen.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    // Read at every move; the area moves the window only while it holds.
    using Condition = std::function<bool()>;

    explicit WindowDrag(QWidget* window);

    QWidget* Window() const { return m_window; }

    // Makes `area` (the window itself or one of its controls) a drag area, optionally only
    // while `condition` holds. The area's own handling of the mouse goes on as before.
    void AddArea(QWidget* area, Condition condition = {});
    void RemoveArea(QWidget* area);

    // The anchor of the last press.
    QPoint Anchor() const { return m_anchor; }

    // The press and move steps, for windows that route a control's mouse events here
    // themselves: `pos` is the press in `area`'s coordinates, `globalPos` the pointer on
    // the screen.
    void MouseDown(const QPoint& pos) { m_anchor = pos; }
    void MouseMove(Qt::MouseButtons buttons, const QWidget* area, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Area {
        QPointer<QWidget> widget;
        Condition condition;
    };

    QPointer<QWidget> m_window;
    std::vector<Area> m_areas;
    QPoint m_anchor;
};
