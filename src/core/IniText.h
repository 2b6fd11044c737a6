// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The text encodings an INI file may come in, each read and written without losing a
// character or a byte of what was not changed.
namespace IniText {

// Windows-1252, the five bytes it leaves undefined standing for the C1 controls of the
// same number, so that every byte reads back as itself.
QString fromWindows1252(QByteArrayView bytes);
// Nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(QStringView text);

// A byte-order mark inside the text is a character like any other.
QString fromUtf8(QByteArrayView bytes);
bool isValidUtf8(QByteArrayView bytes);

// UTF-16 text is held as UTF-8 in which a lone surrogate keeps its own three bytes, so that
// the text scans like any other and still goes back to exactly the code units it came from.
QByteArray wideToNarrow(QStringView text);
QString narrowToWide(QByteArrayView narrow);
// From and to the bytes of a UTF-16 file after its mark; an odd last byte is left out.
QByteArray narrowFromUtf16(QByteArrayView bytes, bool bigEndian);
QByteArray utf16FromNarrow(QByteArrayView narrow, bool bigEndian);

} // namespace IniText

// Integer as the store reads it: blanks and tabs, optional sign, then decimal digits or
// "0x"/"0X" and hex digits, blanks and tabs, and nothing else; anything that is not such an
// integer yields def.
int ParseProfileInteger(const QString& text, int def);
