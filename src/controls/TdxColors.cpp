// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxColors.h"

#include <utility>

TdxColors::TdxColors(std::function<void()> changed) : m_changed(std::move(changed)) {}

void TdxColors::Store(QColor& field, const QColor& value) {
    // Colours are compared as the plain RGB they paint with, so an equal colour given in
    // another colour model still counts as unchanged.
    if (field.rgb() == value.rgb())
        return;
    field = value.toRgb();
    if (m_changed)
        m_changed();
}

void TdxColors::SetBackgroundFrom(const QColor& value) {
    Store(m_backgroundFrom, value);
}
void TdxColors::SetBackgroundTo(const QColor& value) {
    Store(m_backgroundTo, value);
}
void TdxColors::SetBorderEdges(const QColor& value) {
    Store(m_borderEdges, value);
}
void TdxColors::SetBorderLine(const QColor& value) {
    Store(m_borderLine, value);
}
void TdxColors::SetClickedFrom(const QColor& value) {
    Store(m_clickedFrom, value);
}
void TdxColors::SetClickedTo(const QColor& value) {
    Store(m_clickedTo, value);
}
void TdxColors::SetFocusedFrom(const QColor& value) {
    Store(m_focusedFrom, value);
}
void TdxColors::SetFocusedTo(const QColor& value) {
    Store(m_focusedTo, value);
}
void TdxColors::SetHighlightFrom(const QColor& value) {
    Store(m_highlightFrom, value);
}
void TdxColors::SetHighlightTo(const QColor& value) {
    Store(m_highlightTo, value);
}
void TdxColors::SetHotTrack(const QColor& value) {
    Store(m_hotTrack, value);
}
