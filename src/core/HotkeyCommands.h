// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HotkeyEntry.h"

#include <QString>
#include <functional>

class HotkeyTable;

// The commands that change the set of rows: New, Delete selected and Reset all to default.
// The main window calls them with what it shows the user; they only touch the table.
namespace HotkeyCommands {

enum class Answer { Yes, No, Cancel };
// A question with Yes, No and Cancel; only Yes goes on.
using Ask = std::function<Answer(const QString& text, const QString& caption)>;
// A warning with a single OK button.
using Warn = std::function<void(const QString& text, const QString& caption)>;

// The smallest identifier not below the number of rows that no row uses.
int NewIdentifier(const HotkeyTable& table);

// A new row: Alt+Ctrl+0 running "Nothing", unticked, so it does nothing until applied.
HotkeyEntry NewHotkeyEntry(int id);

struct NewOutcome {
    int row;          // the appended row, for the caller to select
    int scrollPixels; // how far to scroll the list down to bring it into view
};
// Appends a new row; nothing is registered or stored.
NewOutcome New1Click(HotkeyTable& table);

// Deletes the selected row when the user answers Yes; true when it did. The row's hotkey is
// not released: it stays registered until the program ends.
bool Delete1Click(HotkeyTable& table, int selectedRow, const Ask& ask);

// Empties the table when the user answers Yes, after telling that the program ends; true
// when it did, and the caller must then run Exit so that the empty table is saved and the
// next start takes the default table.
bool Resettodefault1Click(HotkeyTable& table, const Ask& ask, const Warn& warn);

inline constexpr int RowHeight = 32; // the list's row is as high as a hotkey icon

inline const QString kDeleteText = QStringLiteral("Delete the selected hotkey?");
inline const QString kDeleteCaption = QStringLiteral("Delete ?");
inline const QString kResetText = QStringLiteral("Reset to default hotkeys?");
inline const QString kResetCaption = QStringLiteral("Defaults ?");
inline const QString kRestartText =
    QStringLiteral("Restart the application to load the default hotkeys!\n"
                   "                    The application will exit now!");
inline const QString kRestartCaption = QStringLiteral("Restart");

} // namespace HotkeyCommands
