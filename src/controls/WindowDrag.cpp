// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

WindowDrag::WindowDrag(QWidget* window) : QObject(window), m_window(window) {}

void WindowDrag::AddArea(QWidget* area, Condition condition) {
    if (!area)
        return;
    RemoveArea(area);
    m_areas.push_back({area, std::move(condition)});
    area->installEventFilter(this);
}

void WindowDrag::RemoveArea(QWidget* area) {
    const auto gone = std::remove_if(m_areas.begin(), m_areas.end(), [area](const Area& a) {
        return a.widget == area || a.widget.isNull();
    });
    if (gone != m_areas.end() && area)
        area->removeEventFilter(this);
    m_areas.erase(gone, m_areas.end());
}

void WindowDrag::MouseMove(Qt::MouseButtons buttons, const QWidget* area, const QPoint& globalPos) {
    if (!m_window || !area || !(buttons & Qt::LeftButton))
        return;
    // window left + (pointer in the area) - anchor, with the pointer in the area taken as
    // its screen position less the area's place: unlike the window's own idea of where it
    // is, the screen position does not lag behind a move the window system has not yet
    // carried out, so fast drags neither overshoot nor shake.
    const QPoint areaInWindow = area == m_window ? QPoint() : area->mapTo(m_window, QPoint());
    QPoint target = globalPos - areaInWindow - m_anchor;
    if (QWidget* parent = m_window->isWindow() ? nullptr : m_window->parentWidget())
        target = parent->mapFromGlobal(target);
    m_window->move(target);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove)
        return false;
    const auto it = std::find_if(m_areas.begin(), m_areas.end(),
                                 [watched](const Area& a) { return a.widget == watched; });
    if (it == m_areas.end())
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress)
        MouseDown(mouse->position().toPoint());
    else if (!it->condition || it->condition())
        MouseMove(mouse->buttons(), it->widget, mouse->globalPosition().toPoint());
    // The area still gets the event: a title bar button shows its press, a list selects.
    return false;
}
