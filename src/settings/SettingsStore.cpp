// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include "core/IniFile.h"

std::vector<LoadStep> PlanLoad(const IniFile& ini, const std::array<int, SettingCount>& current) {
    std::vector<LoadStep> steps;
    steps.reserve(SettingCount);
    for (const SettingDef& def : SettingsTable()) {
        const int value =
            Normalised(def, ini.readInteger(QLatin1String(def.section), QLatin1String(def.key),
                                            def.defaultValue));
        const bool differs = value != current[static_cast<size_t>(def.setting)];
        int count = 0;
        switch (def.apply) {
        case LoadApply::OnChange: count = differs ? 1 : 0; break;
        case LoadApply::Always: count = 1; break;
        case LoadApply::OnChangeAndAlways: count = differs ? 2 : 1; break;
        }
        steps.push_back({def.setting, value, count});
    }
    return steps;
}

SettingsStore::SettingsStore(QObject* parent) : QObject(parent) {
    for (const SettingDef& def : SettingsTable())
        m_values[static_cast<size_t>(def.setting)] = def.defaultValue;
}

void SettingsStore::setValue(Setting setting, int value) {
    const int v = Normalised(DefinitionOf(setting), value);
    int& slot = m_values[static_cast<size_t>(setting)];
    if (slot == v)
        return;
    slot = v;
    emit changed(setting);
}

void SettingsStore::apply(const std::vector<LoadStep>& steps) {
    for (const LoadStep& step : steps) {
        m_values[static_cast<size_t>(step.setting)] = step.value;
        for (int i = 0; i < step.applyCount; ++i)
            emit changed(step.setting);
    }
}

void SettingsStore::Load(const QString& path) {
    apply(PlanLoad(IniFile::load(path), m_values));
    m_loaded = true;
}

void SettingsStore::LoadDefaults() {
    apply(PlanLoad(IniFile(), m_values));
    m_loaded = true;
}

bool SettingsStore::Save(const QString& path) const {
    if (!m_loaded)
        return false;
    return IniFile::update(path, [this](IniFile& ini) {
        for (const SettingDef& def : SettingsTable())
            ini.writeInteger(QLatin1String(def.section), QLatin1String(def.key),
                             value(def.setting));
    });
}
