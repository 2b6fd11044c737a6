// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/IniText.h"
#include "core/NameIndex.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// An INI document read and written the way the Windows profile functions treat it: names
// compared case-insensitively, first of duplicate sections and keys wins, values trimmed
// and unquoted, writes changing a key's own line and keeping every other line as it was.
//
// The file stays in one buffer and lines are offsets into it: sections are indexed by name
// once, a section's keys when it is first looked up, and written lines are kept beside the
// buffer, so that a document costs a few times the size of its file.
//
// Text is UTF-8, or Windows-1252 when the file is not valid UTF-8 (what the ANSI profile
// functions write), so that no character is lost; a leading UTF-8 byte-order mark is kept
// aside. A file with a UTF-16 byte-order mark (little or big endian) is read and written as
// UTF-16. A write that does not change a value keeps its line byte for byte, and every line
// keeps its line break. A changed value goes into the file's own encoding; when
// Windows-1252 cannot hold it, the whole document turns into UTF-8.
class IniFile {
public:
    // Longest value a read returns, as with a 2048-byte profile buffer.
    static constexpr int MaxValueLength = 2047;
    // Larger files are not INI files Orvane wrote; only this much of them is read.
    static constexpr qint64 MaxFileSize = qint64{64} * 1024 * 1024;

    enum class LoadStatus { Ok, Missing, Unreadable, TooLarge };
    enum class Encoding { Utf8, Windows1252, Utf16LE, Utf16BE };

    IniFile() = default;
    static IniFile parse(const QByteArray& bytes);
    static IniFile load(const QString& path, LoadStatus* status = nullptr);

    Encoding encoding() const { return m_encoding; }
    bool hasSection(const QString& section) const;
    // Names as the file spells them, first occurrences only, in file order.
    QStringList sectionNames() const;
    QStringList keyNames(const QString& section) const;
    // The raw value text, or nothing when the key is absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    // What the reads above make of a value value() gave (nothing: absent).
    static QString StringOf(std::optional<QString> value, const QString& def);
    static int IntegerOf(const std::optional<QString>& value, int def);
    // Every key line of section in file order, with its name and value: for a reader that
    // wants all of a large section, one pass instead of a lookup per key. A name may come
    // more than once; value() reads the first.
    void
    forEachValue(const QString& section,
                 const std::function<void(QByteArrayView name, const QString& value)>& visit) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    QByteArray toBytes() const;
    // Bytes the document holds now: its text, the lines written since and its indexes.
    qsizetype footprint() const;

    // Applies edit to the file as it is on disk now and replaces it atomically, so that
    // lines other writers added since a load survive and a crash never leaves a torn file.
    // False when nothing could be written (the file on disk is then unchanged).
    template <typename Edit> static bool update(const QString& path, Edit&& edit) {
        LoadStatus status;
        IniFile ini = load(path, &status);
        if (status == LoadStatus::Unreadable)
            return false;
        if (status == LoadStatus::TooLarge)
            ini = IniFile();
        edit(ini);
        return ini.saveAs(path, status == LoadStatus::TooLarge);
    }

private:
    using Line = NameIndex::Line; // offset of a line's first byte
    struct Section {
        Line insertAfter = 0;    // new keys follow this line: the last key line, or the header
        NameIndex keys;          // key lines by name
        std::vector<Line> added; // key lines written since the parse, in order
    };

    bool saveAs(const QString& path, bool keepOldAsBackup) const;
    void indexSections();
    // The section of a header line, its keys indexed at the first call.
    Section& sectionAt(Line header) const;
    std::optional<Line> findSection(const QString& section) const;
    Line addSection(const QString& section);
    Line appendLine(const QByteArray& bytes);
    // A line as read (without its line break), and as written over since.
    QByteArrayView lineAt(Line line) const;
    QByteArrayView currentLine(Line line) const;
    Line nextLine(Line line) const;
    Line afterLineBreak(Line line) const;
    template <typename Visit> void forEachLine(Line from, const Visit& visit) const;
    // The document without its byte-order mark, as UTF-16 in its narrow form.
    QByteArray text() const;
    // Starts over from the whole document as text, in encoding.
    void rebuild(Encoding encoding);
    std::optional<QByteArray> encodedName(const QString& name) const;
    QString decode(QByteArrayView bytes) const;
    QByteArray encode(const QString& text) const;
    QString valueOfLine(QByteArrayView line) const;

    QByteArray m_text;        // the file as read (UTF-16 in its narrow form), until a rebuild
    qsizetype m_begin = 0;    // after a UTF-8 byte-order mark
    QByteArray m_added;       // lines written since, each ending in LF; their offsets follow m_text
    NameIndex m_sectionIndex; // header lines by section name
    mutable std::unordered_map<Line, Section> m_sections; // by header line, indexed on demand
    std::vector<Line> m_newSections;                      // headers written since, in order
    QHash<Line, Line> m_replaced; // key line -> the line that holds its text now
    QByteArray m_eol = "\n";
    QByteArray m_oddByte; // a UTF-16 file's odd last byte, kept as it was
    Encoding m_encoding = Encoding::Utf8;
    bool m_byteOrderMark = false;
};
