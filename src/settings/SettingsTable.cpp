// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsTable.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace {
using K = SettingKind;
using A = LoadApply;
using S = Setting;

constexpr std::array<SettingDef, SettingCount> kTable = {{
    {S::EasyMove, "MainWindow", "EasyMove", K::Bool, 1, 0, 1, A::OnChange},
    {S::MinimizeToTray, "MainWindow", "MinimizeToTray", K::Bool, 0, 0, 1, A::OnChange},
    {S::MainTransparent, "MainWindow", "Transparent", K::Bool, 0, 0, 1, A::OnChange},
    {S::MainAlpha, "MainWindow", "Alpha", K::Slider, 10, 2, 10, A::OnChange},
    {S::Properties, "MainWindow", "Properties", K::Bool, 1, 0, 1, A::Always},
    {S::VolumeShow, "VolumeWindow", "Show", K::Bool, 1, 0, 1, A::OnChange},
    {S::VolumeStep, "VolumeWindow", "Step", K::ListIndex, 3, 0, 8, A::Always},
    {S::VisibleTime, "VolumeWindow", "VisibleTime", K::ListIndex, 2, 0, 5, A::Always},
    {S::VolumeTransparent, "VolumeWindow", "Transparent", K::Bool, 0, 0, 1, A::OnChange},
    {S::VolumeAlpha, "VolumeWindow", "Alpha", K::Slider, 10, 2, 10, A::OnChange},
    {S::CheckBoxes, "List", "CheckBoxes", K::Bool, 1, 0, 1, A::OnChange},
    {S::GridLines, "List", "GridLines", K::Bool, 0, 0, 1, A::OnChange},
    {S::TrayVisible, "Tray", "Visible", K::Bool, 1, 0, 1, A::OnChange},
    {S::TrayAnimate, "Tray", "Animate", K::Bool, 1, 0, 1, A::OnChange},
    {S::Logo, "General", "Logo", K::Bool, 1, 0, 1, A::OnChange},
    {S::Autorun, "General", "Autorun", K::Bool, 1, 0, 1, A::OnChangeAndAlways},
    {S::Color, "General", "Color", K::ListIndex, 0, 0, 6, A::Always},
    {S::Quality, "General", "Quality", K::ListIndex, 1, 0, 2, A::Always},
}};

// The item texts are written with a comma as decimal mark whatever the user's locale.
double itemNumber(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}
} // namespace

const std::array<SettingDef, SettingCount>& SettingsTable() {
    return kTable;
}

const SettingDef& DefinitionOf(Setting setting) {
    return kTable[static_cast<size_t>(setting)];
}

int Normalised(const SettingDef& def, int raw) {
    switch (def.kind) {
    case SettingKind::Bool: return raw != 0 ? 1 : 0;
    case SettingKind::Slider: return std::clamp(raw, def.min, def.max);
    case SettingKind::ListIndex: return raw >= def.min && raw <= def.max ? raw : -1;
    }
    return def.defaultValue;
}

int VolumeStepUnits(int index) {
    if (index < 0 || index >= static_cast<int>(kVolumeStepItems.size()))
        return -1;
    return static_cast<int>(std::trunc(itemNumber(kVolumeStepItems[size_t(index)]) * 655.35));
}

int VisibleTimeMs(int index) {
    if (index < 0 || index >= static_cast<int>(kVisibleTimeItems.size()))
        return -1;
    return static_cast<int>(std::trunc(itemNumber(kVisibleTimeItems[size_t(index)]) * 1000));
}
