// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotkeyEntry.h"

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

// Releases the registration held under an identifier.
using Release = std::function<void(int id)>;
// Writes what makes the next start take the default table; false when it could not (the
// writer has told the user).
using WriteReset = std::function<bool()>;

// Deletes the selected row when the user answers Yes, releasing its hotkey first so that
// the combination is free again for every program; true when it did.
bool Delete1Click(HotkeyTable& table, int selectedRow, const Ask& ask, const Release& release);

// When the user answers Yes and writeReset succeeds, tells that the program ends and empties
// the table; true when it did, and the caller must then run Exit. A failed write changes
// nothing, so the restart message never promises defaults the next start would not load.
bool Resettodefault1Click(HotkeyTable& table, const Ask& ask, const Warn& warn,
                          const WriteReset& writeReset);

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
