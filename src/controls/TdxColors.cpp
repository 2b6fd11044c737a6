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
