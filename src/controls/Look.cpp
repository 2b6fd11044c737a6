// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Look.h"

void Look::SetPalette(const SkinPalette& palette) {
    m_palette = palette;
    emit changed(Aspect::Palette);
}

void Look::SetScheme(const QString& name) {
    SetPalette(Skin::SchemePalette(name));
}

void Look::SetQuality(int quality) {
    m_quality = quality;
    emit changed(Aspect::Quality);
}
