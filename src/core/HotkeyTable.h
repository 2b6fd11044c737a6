// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotkeyEntry.h"
#include "core/HotkeyStatus.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

// The hotkey table: the rows of the main window's hotkey list. The list view shows this
// model directly, so there is no second copy of the table anywhere.
class HotkeyTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColFlags,
        ColKey,
        ColExecute,
        ColID,
        ColAlt,
        ColCtrl,
        ColShift,
        ColWin,
        ColumnCount
    };

    // Row check boxes that the user toggles are reported here instead of being written:
    // enabling or disabling an entry goes through Apply so that its hotkey follows.
    using CheckToggled = std::function<void(int row, bool checked)>;
    // Supplies the small image of an entry's icon index (a QIcon, or nothing when headless).
    using IconProvider = std::function<QVariant(int image)>;

    explicit HotkeyTable(QObject* parent = nullptr);

    int count() const { return static_cast<int>(m_entries.size()); }
    const HotkeyEntry& at(int row) const { return m_entries.at(static_cast<size_t>(row)); }
    const std::vector<HotkeyEntry>& entries() const { return m_entries; }

    void append(const HotkeyEntry& entry);
    void appendMany(std::vector<HotkeyEntry> entries);
    void clear();
    void remove(int row);
    // A change of the tick leaves the row's status at what the tick says until the next
    // registration answers.
    void replace(int row, const HotkeyEntry& entry);
    void setChecked(int row, bool checked);

    // Why the row's hotkey works or not; shown as the row's tooltip.
    const HotkeyStatus& statusAt(int row) const { return m_status.at(static_cast<size_t>(row)); }
    void setStatus(int row, const HotkeyStatus& status);
    // A registration that the system renewed on its own (a new keyboard layout) answered
    // anew. A row that is not ticked holds no registration, so a report for it is ignored.
    void setRegistrationResult(int id, RegisterResult result, const QString& keyText = {});
    // Row of the first entry whose ID equals id, or -1.
    int rowOfId(int id) const;

    void setColumnCaptions(const QStringList& captions);
    void setCheckToggledHandler(CheckToggled handler) { m_checkToggled = std::move(handler); }
    void setIconProvider(IconProvider provider);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void emitRowChanged(int row, const QList<int>& roles);
    // What a screen reader says for a cell: the first reads the whole row (combination,
    // target, identifier, status), the closed flag columns say their modifier and yes or no.
    QString spokenText(int row, int column) const;

    std::vector<HotkeyEntry> m_entries;
    std::vector<HotkeyStatus> m_status; // one per entry, in the same order
    QStringList m_captions;
    CheckToggled m_checkToggled;
    IconProvider m_iconProvider;
};

// The 20 entries the program starts with when Hotkeys.ini holds none.
std::vector<HotkeyEntry> DefaultHotkeyTable();

// Target of the default table's network entry before the computer name is known.
inline constexpr const char* kNetworkPlaceholder = "\\\\NetworkComputer";
