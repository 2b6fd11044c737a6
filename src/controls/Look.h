// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"

#include <QObject>
#include <optional>

// The look every skinned window follows: the colour scheme's palette and the gradient quality.
// Both are unset until first given: the windows show their design look before any scheme, and
// their buttons keep the quality they are made with.
class Look : public QObject {
    Q_OBJECT
public:
    enum class Aspect { Palette, Quality };

    explicit Look(QObject* parent = nullptr) : QObject(parent) {}

    const std::optional<SkinPalette>& Palette() const { return m_palette; }
    const std::optional<int>& Quality() const { return m_quality; }

    // Every call is announced, the same value again included: a window re-applies it as the
    // user chose it.
    void SetPalette(const SkinPalette& palette);
    // The palette of a scheme name; an unknown or empty name gives the fallback.
    void SetScheme(const QString& name);
    // 0 Low, 1 Middle, 2 High; any other value is held as the buttons hold it.
    void SetQuality(int quality);

signals:
    void changed(Look::Aspect aspect);

private:
    std::optional<SkinPalette> m_palette;
    std::optional<int> m_quality;
};
