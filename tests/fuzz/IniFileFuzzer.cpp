// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an INI file. Whatever is read from it must read the same after a save
// and a second parse, and a second save must change nothing more. Inputs that hold NUL
// separators also carry writes: "file\0section\0key\0value\0section\0key\0value..."; each
// written value must read back (line breaks as blanks, cut to the longest value a read
// returns), and no other key may change; the same writes go into the file as UTF-16 too.
#include "FuzzCheck.h"
#include "core/IniFile.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimmedBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// Names as the file compares them: blanks and tabs trimmed, ASCII letters lowered.
QString nameKey(const QString& name) {
    QString n = trimmedBlanks(name);
    for (QChar& c : n) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return n;
}

QString asRead(QString value) {
    return value.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString cut(QString value) {
    if (value.size() > IniFile::MaxValueLength) {
        value.truncate(IniFile::MaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

// A name that the program could write: one line, a key without '=', and nothing that makes
// the line a section header or a comment.
QString writableName(const QByteArray& raw, bool isKey) {
    QString name = QString::fromUtf8(raw);
    name.replace(QLatin1Char('\r'), QLatin1Char('_')).replace(QLatin1Char('\n'), QLatin1Char('_'));
    if (isKey) {
        name.replace(QLatin1Char('='), QLatin1Char('_'));
        const QString t = trimmedBlanks(name);
        if (t.startsWith(QLatin1Char('[')) || t.startsWith(QLatin1Char(';')))
            name.prepend(QLatin1Char('k'));
    }
    return name;
}

// The first byte picks how the rest becomes text: Latin-1 reaches the C1 controls and the
// characters Windows-1252 has no byte for, UTF-8 everything else.
QString valueText(const QByteArray& raw) {
    if (raw.isEmpty())
        return {};
    const QByteArray rest = raw.mid(1);
    return (raw[0] & 1) ? QString::fromLatin1(rest) : QString::fromUtf8(rest);
}

void checkSameValues(const IniFile& a, const IniFile& b, const char* what) {
    const QStringList sections = a.sectionNames();
    if (sections != b.sectionNames())
        fuzzFail(what, sections.join(QLatin1Char('|')), b.sectionNames().join(QLatin1Char('|')));
    for (const QString& section : sections) {
        if (!a.hasSection(section))
            fuzzFail("a listed section is found", section);
        const QStringList keys = a.keyNames(section);
        if (keys != b.keyNames(section))
            fuzzFail(what, keys.join(QLatin1Char('|')), b.keyNames(section).join(QLatin1Char('|')));
        for (const QString& key : keys) {
            const auto va = a.value(section, key);
            if (!va)
                fuzzFail("a listed key is found", key);
            const auto vb = b.value(section, key);
            if (vb != va)
                fuzzFail(what, *va, vb.value_or(QStringLiteral("<missing>")));
            if (b.readString(section, key, {}) != cut(*va))
                fuzzFail("cut read", cut(*va), b.readString(section, key, {}));
        }
    }
}

// The file part as text in UTF-16 with its mark, so that the writes also go into a UTF-16
// document (whose own bytes cannot pass the NUL-separated form).
QByteArray asUtf16(const QByteArray& file, bool bigEndian) {
    const QString text = QString::fromUtf8(file);
    QByteArray bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : text) {
        const auto hi = static_cast<char>(c.unicode() >> 8);
        const auto lo = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

void checkWrites(const QList<QByteArray>& parts, const QByteArray& file) {
    IniFile ini = IniFile::parse(file);
    const IniFile before = ini;
    struct Write {
        QString section, key, value;
    };
    QHash<QString, Write> written; // by section and key as the file compares them
    for (qsizetype i = 1; i + 2 < parts.size(); i += 3) {
        const QString section = writableName(parts[i], false);
        const QString key = writableName(parts[i + 1], true);
        const QString value = valueText(parts[i + 2]);
        ini.writeString(section, key, value);
        const QString expected = asRead(value);
        if (ini.value(section, key) != expected)
            fuzzFail("a write reads back", expected,
                     ini.value(section, key).value_or(QStringLiteral("<missing>")));
        if (ini.readString(section, key, {}) != cut(expected))
            fuzzFail("a write reads back cut");
        written.insert(nameKey(section) + QChar(0) + nameKey(key), {section, key, expected});
    }
    const IniFile back = IniFile::parse(ini.toBytes());
    checkSameValues(ini, back, "written file parsed again");
    for (const Write& w : written) {
        if (back.value(w.section, w.key) != w.value)
            fuzzFail("a write survives the save", w.value,
                     back.value(w.section, w.key).value_or(QStringLiteral("<missing>")));
    }
    for (const QString& section : before.sectionNames()) {
        for (const QString& key : before.keyNames(section)) {
            if (written.contains(nameKey(section) + QChar(0) + nameKey(key)))
                continue;
            if (back.value(section, key) != before.value(section, key))
                fuzzFail("a key nobody wrote keeps its value", before.value(section, key).value(),
                         back.value(section, key).value_or(QStringLiteral("<missing>")));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzzBytes(data, size);
    const IniFile first = IniFile::parse(input);
    const QByteArray saved = first.toBytes();
    const IniFile second = IniFile::parse(saved);
    checkSameValues(first, second, "saved file parsed again");
    const QByteArray savedAgain = second.toBytes();
    if (savedAgain != saved)
        fuzzFail("a second save changes nothing", QString::fromLatin1(saved),
                 QString::fromLatin1(savedAgain));
    const QList<QByteArray> parts = input.split('\0');
    if (parts.size() >= 4) {
        checkWrites(parts, parts[0]);
        checkWrites(parts, asUtf16(parts[0], (parts[0].size() & 1) != 0));
    }
    return 0;
}
