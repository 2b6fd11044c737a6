// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The fixed vocabulary of keys a hotkey may use: names are what entries hold and what
// the user sees, virtual-key codes are what Hotkeys.ini stores and what the system gets.
namespace KeyTable {

struct Key {
    const char* name;
    int code;
};

// The first 90 are the keys every stored table may use; the keys after them were added
// later, each with its Windows virtual-key code, so that positions and codes never move.
constexpr int ClassicCount = 90;
constexpr int Count = 127;

// The row at a position, 0 <= position < Count.
const Key& at(int position);

// Position of a name, ignoring ASCII letter case; the first match wins.
std::optional<int> positionOfName(const QString& name);

// Virtual-key code of a name, or nothing when the name is not in the table.
std::optional<int> codeOfName(const QString& name);

// Position of a virtual-key code, or nothing for a code the table does not hold.
std::optional<int> positionOfCode(int code);

// Name of a virtual-key code; the empty text for a code the table does not hold.
QString nameOfCode(int code);

// The key text of an entry whose stored code the table does not hold ("Code 35"): the row
// shows the code, and the store writes that code back, so a file from another version keeps
// its keys. It cannot be mistaken for a name: digit names would be.
QString textOfUnknownCode(int code);
// The code of such a key text, or nothing for any other text.
std::optional<int> unknownCodeOfText(const QString& key);
// The code to store for an entry's key: the table's code of its name, the code an unknown
// key text carries, else 48 (the key "0").
int storedCodeOf(const QString& key);

// The names and codes (as decimal texts) in table order, for the key drop-down lists.
QStringList names();
QStringList codeTexts();

} // namespace KeyTable
