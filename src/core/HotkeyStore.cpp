// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyStore.h"

#include "core/HotkeyTable.h"
#include "core/IniFile.h"
#include "core/KeyTable.h"

namespace HotkeyStore {
namespace {
const QString kSection = QStringLiteral("HotKeys");

QString indexed(const char* name, int i) {
    return QLatin1String(name) + QString::number(i);
}
} // namespace

bool Load(HotkeyTable& table, const QString& path, const std::function<QString()>& computerName) {
    const IniFile ini = IniFile::load(path);
    const int count = std::min(ini.readInteger(kSection, QStringLiteral("Count"), 0), MaxEntries);
    if (count != 0) {
        table.clear();
        std::vector<HotkeyEntry> entries;
        entries.reserve(static_cast<size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i) {
            const int code = ini.readInteger(kSection, indexed("Key", i), 48);
            const bool checked = ini.readBool(kSection, indexed("Checked", i), false);
            const int image = ini.readInteger(kSection, indexed("Image", i), 34);
            const QString execute = ini.readString(kSection, indexed("Path", i), QString());
            const bool alt = ini.readBool(kSection, indexed("Alt", i), true);
            const bool ctrl = ini.readBool(kSection, indexed("Ctrl", i), true);
            const bool shift = ini.readBool(kSection, indexed("Shift", i), false);
            // Absent in files written before Super could be chosen: no Super.
            const bool win = ini.readBool(kSection, indexed("Win", i), false);
            HotkeyEntry e;
            e.Flags = ModifierText(alt, ctrl, shift, win);
            e.Image = image;
            e.Checked = checked;
            e.Key = KeyTable::nameOfCode(code);
            if (e.Key.isEmpty())
                e.Key = KeyTable::textOfUnknownCode(code);
            e.Execute = execute;
            e.ID = QString::number(i + 1);
            e.Alt = FlagText(alt);
            e.Ctrl = FlagText(ctrl);
            e.Shift = FlagText(shift);
            e.Win = FlagText(win);
            entries.push_back(std::move(e));
        }
        table.appendMany(std::move(entries));
        return true;
    }
    const QString name = computerName ? computerName() : QString();
    if (name.isEmpty())
        return false;
    const QString resolved = QStringLiteral("\\\\") + name;
    for (int row = 0; row < table.count(); ++row) {
        if (table.at(row).Execute == QLatin1String(kNetworkPlaceholder)) {
            HotkeyEntry e = table.at(row);
            e.Execute = resolved;
            table.replace(row, e);
        }
    }
    return false;
}

bool Save(const HotkeyTable& table, const QString& path) {
    return IniFile::update(path, [&table](IniFile& ini) {
        ini.writeInteger(kSection, QStringLiteral("Count"), table.count() > 0 ? table.count() : -1);
        for (int i = 0; i < table.count(); ++i) {
            const HotkeyEntry& e = table.at(i);
            ini.writeInteger(kSection, indexed("Key", i), KeyTable::storedCodeOf(e.Key));
            // A row unticked only because this version lacks its key keeps the stored tick.
            const bool keptTick = table.statusAt(i).state == HotkeyStatus::State::UnknownKey;
            ini.writeBool(kSection, indexed("Checked", i), e.Checked || keptTick);
            ini.writeInteger(kSection, indexed("Image", i), e.Image);
            ini.writeString(kSection, indexed("Path", i), e.Execute);
            ini.writeString(kSection, indexed("Alt", i), e.Alt == QLatin1String("1") ? "1" : "0");
            ini.writeString(kSection, indexed("Ctrl", i), e.Ctrl == QLatin1String("1") ? "1" : "0");
            ini.writeString(kSection, indexed("Shift", i),
                            e.Shift == QLatin1String("1") ? "1" : "0");
            // Written only where Super is set or the file already has the key, so a table
            // without Super leaves the file as the versions before it wrote it.
            const bool win = e.Win == QLatin1String("1");
            if (win || ini.value(kSection, indexed("Win", i)))
                ini.writeString(kSection, indexed("Win", i), win ? "1" : "0");
        }
    });
}

bool SaveReset(const QString& path) {
    return IniFile::update(
        path, [](IniFile& ini) { ini.writeInteger(kSection, QStringLiteral("Count"), 0); });
}

} // namespace HotkeyStore
