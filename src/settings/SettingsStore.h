// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsTable.h"

#include <QObject>
#include <QString>
#include <vector>

class IniFile;

// One step of a load: the value a setting takes, and how often whatever applies it must run
// (0: the value stands as it was; 2: the log-on entry, once for its change and once always).
struct LoadStep {
    Setting setting;
    int value;
    int applyCount;
    bool operator==(const LoadStep&) const = default;
};

// The values a load would give, in file order, from the file's contents and the current
// values. Nothing is changed.
std::vector<LoadStep> PlanLoad(const IniFile& ini, const std::array<int, SettingCount>& current);

// The program's preferences: one value per setting, each change announced with changed(), and
// Settings.ini read and written in file order. Whatever shows or applies a setting subscribes
// here; no window reads another window's controls.
class SettingsStore : public QObject {
    Q_OBJECT
public:
    explicit SettingsStore(QObject* parent = nullptr);

    int value(Setting setting) const { return m_values[static_cast<size_t>(setting)]; }
    bool isOn(Setting setting) const { return value(setting) != 0; }
    // Takes the value as the setting's control would (clamped, or no selection); announces it
    // when it differs.
    void setValue(Setting setting, int value);

    // Reads the file (a missing or unreadable one gives every default) and announces each
    // value as often as it must be applied, in file order.
    void Load(const QString& path);
    // Every default, applied as a load of an empty file would; the file is not touched.
    void LoadDefaults();
    // Writes every setting in file order, keeping what else the file holds; the file is
    // replaced whole or not at all. Refused (false) until a load has run, so that values that
    // were never loaded do not replace the user's.
    bool Save(const QString& path) const;

    bool loaded() const { return m_loaded; }

signals:
    void changed(Setting setting);

private:
    void apply(const std::vector<LoadStep>& steps);

    std::array<int, SettingCount> m_values{};
    bool m_loaded = false;
};
