// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyTable.h"

#include "core/ProjectLinks.h"

#include <algorithm>

QString ModifierText(bool alt, bool ctrl, bool shift, bool win) {
    QString text;
    if (win)
        text = QStringLiteral("Win");
    if (alt)
        text += text.isEmpty() ? QStringLiteral("Alt") : QStringLiteral("+Alt");
    if (ctrl)
        text += text.isEmpty() ? QStringLiteral("Ctrl") : QStringLiteral("+Ctrl");
    if (shift)
        text += text.isEmpty() ? QStringLiteral("Shift") : QStringLiteral("+Shift");
    if (!text.isEmpty())
        text += QLatin1Char('+');
    return text;
}

unsigned ModifierBits(const HotkeyEntry& entry) {
    const QString one = QStringLiteral("1");
    return (entry.Alt == one ? Modifiers::Alt : 0u) | (entry.Ctrl == one ? Modifiers::Ctrl : 0u) |
           (entry.Shift == one ? Modifiers::Shift : 0u) | (entry.Win == one ? Modifiers::Win : 0u);
}

HotkeyTable::HotkeyTable(QObject* parent) : QAbstractTableModel(parent) {}

void HotkeyTable::append(const HotkeyEntry& entry) {
    const int row = count();
    beginInsertRows({}, row, row);
    m_entries.push_back(entry);
    m_status.push_back(InitialStatus(entry.Checked));
    endInsertRows();
}

void HotkeyTable::appendMany(std::vector<HotkeyEntry> entries) {
    if (entries.empty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    for (const HotkeyEntry& e : entries)
        m_status.push_back(InitialStatus(e.Checked));
    std::move(entries.begin(), entries.end(), std::back_inserter(m_entries));
    endInsertRows();
}

void HotkeyTable::clear() {
    beginResetModel();
    m_entries.clear();
    m_status.clear();
    endResetModel();
}

void HotkeyTable::remove(int row) {
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    m_status.erase(m_status.begin() + row);
    endRemoveRows();
}

void HotkeyTable::replace(int row, const HotkeyEntry& entry) {
    HotkeyEntry& e = m_entries.at(static_cast<size_t>(row));
    // The tick is named only when it changed: the list announces it to screen readers.
    QList<int> roles{Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleTextRole};
    if (e.Checked != entry.Checked) {
        m_status[static_cast<size_t>(row)] = InitialStatus(entry.Checked);
        roles.append(Qt::CheckStateRole);
    }
    e = entry;
    emitRowChanged(row, roles);
}

void HotkeyTable::setChecked(int row, bool checked) {
    HotkeyEntry& e = m_entries.at(static_cast<size_t>(row));
    if (e.Checked == checked)
        return;
    e.Checked = checked;
    m_status[static_cast<size_t>(row)] = InitialStatus(checked);
    emitRowChanged(row, {Qt::CheckStateRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
}

void HotkeyTable::setStatus(int row, const HotkeyStatus& status) {
    HotkeyStatus& s = m_status.at(static_cast<size_t>(row));
    if (s == status)
        return;
    s = status;
    emitRowChanged(row, {Qt::ToolTipRole, Qt::AccessibleTextRole});
}

void HotkeyTable::setRegistrationResult(int id, RegisterResult result, const QString& keyText) {
    const int row = rowOfId(id);
    if (row >= 0 && at(row).Checked)
        setStatus(row, StatusOf(result, keyText));
}

void HotkeyTable::emitRowChanged(int row, const QList<int>& roles) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1), roles);
}

int HotkeyTable::rowOfId(int id) const {
    for (int row = 0; row < count(); ++row) {
        bool ok = false;
        if (m_entries[static_cast<size_t>(row)].ID.toInt(&ok) == id && ok)
            return row;
    }
    return -1;
}

void HotkeyTable::setColumnCaptions(const QStringList& captions) {
    m_captions = captions;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void HotkeyTable::setIconProvider(IconProvider provider) {
    m_iconProvider = std::move(provider);
    if (count() > 0)
        emit dataChanged(index(0, 0), index(count() - 1, 0), {Qt::DecorationRole});
}

int HotkeyTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int HotkeyTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

QString orNone(const QString& text, const char* none) {
    return text.isEmpty() ? QLatin1String(none) : text;
}

QString flagSpoken(const char* name, const QString& flag) {
    return QLatin1String(name) +
           (flag == QLatin1String("1") ? QLatin1String(": yes") : QLatin1String(": no"));
}

} // namespace

QString HotkeyTable::spokenText(int row, int column) const {
    const HotkeyEntry& e = at(row);
    switch (column) {
    case ColFlags:
        return QStringList{e.Key.isEmpty() ? QStringLiteral("No key") : e.Flags + e.Key,
                           orNone(e.Execute, "no target"), QStringLiteral("ID ") + e.ID,
                           StatusText(statusAt(row))}
            .join(QLatin1String(", "));
    case ColKey: return orNone(e.Key, "no key");
    case ColExecute: return orNone(e.Execute, "no target");
    case ColID: return QStringLiteral("ID ") + e.ID;
    case ColAlt: return flagSpoken("Alt", e.Alt);
    case ColCtrl: return flagSpoken("Ctrl", e.Ctrl);
    case ColShift: return flagSpoken("Shift", e.Shift);
    case ColWin: return flagSpoken("Win", e.Win);
    default: return {};
    }
}

QVariant HotkeyTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const HotkeyEntry& e = at(index.row());
    if (role == Qt::ToolTipRole)
        return StatusText(statusAt(index.row()));
    if (role == Qt::AccessibleTextRole)
        return spokenText(index.row(), index.column());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case ColFlags: return e.Flags;
        case ColKey: return e.Key;
        case ColExecute: return e.Execute;
        case ColID: return e.ID;
        case ColAlt: return e.Alt;
        case ColCtrl: return e.Ctrl;
        case ColShift: return e.Shift;
        case ColWin: return e.Win;
        default: return {};
        }
    }
    if (index.column() != ColFlags)
        return {};
    if (role == Qt::CheckStateRole)
        return e.Checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::DecorationRole && m_iconProvider)
        return m_iconProvider(e.Image);
    return {};
}

bool HotkeyTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != ColFlags)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (m_checkToggled)
        m_checkToggled(index.row(), checked);
    else
        setChecked(index.row(), checked);
    return true;
}

Qt::ItemFlags HotkeyTable::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == ColFlags)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant HotkeyTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section < m_captions.size() ? m_captions.at(section) : QString();
}

namespace {
HotkeyEntry defaultEntry(int row, bool alt, bool ctrl, bool shift, const char* key,
                         const QString& target) {
    HotkeyEntry e;
    e.Flags = ModifierText(alt, ctrl, shift);
    e.Key = QString::fromLatin1(key);
    e.Execute = target;
    e.ID = QString::number(row);
    e.Alt = FlagText(alt);
    e.Ctrl = FlagText(ctrl);
    e.Shift = FlagText(shift);
    e.Checked = true;
    e.Image = row - 1;
    return e;
}
} // namespace

std::vector<HotkeyEntry> DefaultHotkeyTable() {
    // The mail and home page rows reach the project where the About box does.
    const QString mail = QStringLiteral("mailto: ") + QLatin1String(ProjectLinks::EMail);
    const QString home = QLatin1String(ProjectLinks::WebSite);
    return {
        defaultEntry(1, false, true, true, "E", mail),
        defaultEntry(2, true, true, false, "E", "C:\\"),
        defaultEntry(3, true, true, false, "C", "calc.exe"),
        defaultEntry(4, false, true, true, "C", "cmd.exe"),
        defaultEntry(5, true, true, false, "D", "dxdiag.exe"),
        defaultEntry(6, true, true, false, "G", "https://duckduckgo.com/"),
        defaultEntry(7, false, true, true, "M", "msconfig.exe"),
        defaultEntry(8, true, true, false, "N", "notepad.exe"),
        defaultEntry(9, false, true, true, "N", kNetworkPlaceholder),
        defaultEntry(10, true, true, false, "R", "regedit.exe"),
        defaultEntry(11, true, true, false, "S", "services.msc"),
        defaultEntry(12, true, true, false, "H", "Show/Hide Application"),
        defaultEntry(13, false, true, true, "S", "sol.exe"),
        defaultEntry(14, true, false, true, "S", home),
        defaultEntry(15, true, true, false, "Down", "VolumeDown"),
        defaultEntry(16, true, true, false, "M", "VolumeMute"),
        defaultEntry(17, true, true, false, "Up", "VolumeUp"),
        defaultEntry(18, true, false, true, "W", "winmine.exe"),
        defaultEntry(19, true, true, false, "W", "c:\\Program Files\\Winamp\\winamp.exe"),
        defaultEntry(20, false, true, true, "W", "write.exe"),
    };
}
