// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyStore.h"

#include "core/HotkeyTable.h"
#include "core/IniFile.h"
#include "core/KeyTable.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace HotkeyStore {
namespace {
const QString kSection = QStringLiteral("HotKeys");

QString indexed(const char* name, int i) {
    return QLatin1String(name) + QString::number(i);
}

// The per-entry keys, each named by its field and the entry's index ("Path12").
enum Field {
    KeyField,
    CheckedField,
    ImageField,
    PathField,
    AltField,
    CtrlField,
    ShiftField,
    WinField,
    FieldCount
};
constexpr std::array<const char*, FieldCount> kFieldNames = {"Key", "Checked", "Image", "Path",
                                                             "Alt", "Ctrl",    "Shift", "Win"};

// The field and index a key name stands for, as a lookup of "<field><index>" would find it:
// the field's letters in any case, the index in plain decimal (no sign, no leading zero).
std::optional<std::pair<Field, int>> fieldOf(QByteArrayView name) {
    const auto digit =
        std::find_if(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
    const QByteArrayView letters = name.first(digit - name.begin());
    const QByteArrayView number = name.sliced(letters.size());
    if (number.isEmpty() || number.size() > 5 || (number.size() > 1 && number.front() == '0') ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    for (int f = 0; f < FieldCount; ++f) {
        if (letters.compare(QByteArrayView(kFieldNames[f]), Qt::CaseInsensitive) == 0)
            return std::pair(Field(f), number.toInt());
    }
    return std::nullopt;
}

// The section's values by entry, and Count's, in one pass that keeps the first of each
// name as a lookup would: a large table would otherwise be a lookup per value, eight an entry.
struct SectionValues {
    std::optional<QString> count;
    std::vector<std::array<std::optional<QString>, FieldCount>> entries;
};

SectionValues sectionValues(const IniFile& ini) {
    SectionValues out;
    ini.forEachValue(kSection, [&out](QByteArrayView name, const QString& value) {
        if (name.compare(QByteArrayView("Count"), Qt::CaseInsensitive) == 0) {
            if (!out.count)
                out.count = value;
            return;
        }
        const auto field = fieldOf(name);
        if (!field || field->second >= MaxEntries)
            return;
        const auto index = static_cast<size_t>(field->second);
        if (index >= out.entries.size())
            out.entries.resize(index + 1);
        if (!out.entries[index][field->first])
            out.entries[index][field->first] = value;
    });
    return out;
}

} // namespace

bool Load(HotkeyTable& table, const QString& path, const std::function<QString()>& computerName) {
    SectionValues read = sectionValues(IniFile::load(path));
    auto& values = read.entries;
    const int count = std::min(IniFile::IntegerOf(read.count, 0), MaxEntries);
    if (count != 0) {
        values.resize(static_cast<size_t>(std::max(count, 0)));
        table.clear();
        std::vector<HotkeyEntry> entries;
        entries.reserve(values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            const auto& v = values[i];
            const auto flag = [&v](Field f, bool def) {
                return IniFile::IntegerOf(v[f], def ? 1 : 0) != 0;
            };
            const int code = IniFile::IntegerOf(v[KeyField], 48);
            const bool alt = flag(AltField, true);
            const bool ctrl = flag(CtrlField, true);
            const bool shift = flag(ShiftField, false);
            // Absent in files written before Super could be chosen: no Super.
            const bool win = flag(WinField, false);
            HotkeyEntry e;
            e.Flags = ModifierText(alt, ctrl, shift, win);
            e.Image = IniFile::IntegerOf(v[ImageField], 34);
            e.Checked = flag(CheckedField, false);
            e.Key = KeyTable::nameOfCode(code);
            if (e.Key.isEmpty())
                e.Key = KeyTable::textOfUnknownCode(code);
            e.Execute = IniFile::StringOf(v[PathField], QString());
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
