// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// An INI document read and written the way the Windows profile functions treat it: names
// compared case-insensitively, first of duplicate sections and keys wins, values trimmed
// and unquoted, writes changing a key's own line and keeping every other line as it was.
// A file is parsed once; lookups and writes after that do not rescan it.
//
// Text is UTF-8, or Windows-1252 when the file is not valid UTF-8 (what the ANSI profile
// functions write), so that no character is lost; a leading byte-order mark is kept aside.
// A write that does not change a value keeps its line byte for byte. A changed value goes
// into the file's own encoding; when Windows-1252 cannot hold it, the whole document turns
// into UTF-8.
class IniFile {
public:
    // Longest value a read returns, as with a 2048-byte profile buffer.
    static constexpr int MaxValueLength = 2047;
    // Larger files are not INI files Orvane wrote; only this much of them is read.
    static constexpr qint64 MaxFileSize = qint64{64} * 1024 * 1024;

    enum class LoadStatus { Ok, Missing, Unreadable, TooLarge };
    enum class Encoding { Utf8, Windows1252 };

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

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    QByteArray toBytes() const;

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
    struct Section {
        QByteArray header;            // the "[name]" line as read, empty for the preamble
        std::vector<QByteArray> body; // up to and including the last key line
        std::vector<QByteArray> tail; // comments and blank lines after the last key
        QHash<QByteArray, int> keys;  // lower-case name -> index in body, first wins
    };

    bool saveAs(const QString& path, bool keepOldAsBackup) const;
    const Section* findSection(const QString& section) const;
    static void finishSection(Section& s, int lastKey);
    // Sorts the lines into the preamble and the sections, and indexes their keys.
    void addLines(std::vector<QByteArray>& lines);
    QString decode(QByteArrayView bytes) const;
    QByteArray encode(const QString& text) const;
    QByteArray nameKey(const QByteArray& rawName) const;
    QString valueOfLine(const QByteArray& line) const;
    void transcodeToUtf8();

    std::vector<Section> m_sections; // m_sections[0] holds the lines before any section
    QHash<QByteArray, int> m_sectionIndex;
    QByteArray m_eol = "\n";
    Encoding m_encoding = Encoding::Utf8;
    bool m_byteOrderMark = false;
};

// Integer as the store reads it: blanks and tabs, optional sign, then decimal digits or
// "0x"/"0X" and hex digits, blanks and tabs, and nothing else; anything that is not such an
// integer yields def.
int ParseProfileInteger(const QString& text, int def);
