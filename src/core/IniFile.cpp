// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"

#include "core/IniText.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <optional>

using namespace IniText;

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// An object rather than a function, so that the scans that use it inline it.
constexpr auto isLineBreak = [](char c) { return c == '\r' || c == '\n'; };

// Only blanks and tabs, as the profile reader trims; not form feeds or Unicode spaces.
template <typename View> View trimmedBlanks(View s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

QByteArrayView unquoted(QByteArrayView s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.sliced(1, s.size() - 2);
    return s;
}

bool isHeader(QByteArrayView trimmedLine) {
    return trimmedLine.startsWith('[');
}

bool isKey(QByteArrayView trimmedLine) {
    return !trimmedLine.startsWith(';') && !isHeader(trimmedLine) && trimmedLine.contains('=');
}

// Section name of a header line: from the first '[' to the last ']', or to the line end.
QByteArrayView headerName(QByteArrayView line) {
    const QByteArrayView t = trimmedBlanks(line);
    const qsizetype close = t.lastIndexOf(']');
    return trimmedBlanks(close > 0 ? t.sliced(1, close - 1)
                                   : t.sliced(std::min<qsizetype>(1, t.size())));
}

QByteArrayView keyName(QByteArrayView line) {
    const QByteArrayView t = trimmedBlanks(line);
    return trimmedBlanks(t.first(std::max<qsizetype>(0, t.indexOf('='))));
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kUtf16LittleMark[] = "\xFF\xFE";
constexpr char kUtf16BigMark[] = "\xFE\xFF";
// The lines written since a parse may grow to half the file and this much before the
// document starts over from its text, so that rewriting values again and again cannot grow
// it beyond a few times its size.
constexpr qsizetype kAddedSlack = 4096;

QString withoutLineBreaks(const QString& value) {
    QString v = value;
    return v.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A value that would not read back as written (outer blanks, an enclosing pair of quotes)
// is wrapped in one more pair of double quotes, which the reader removes again.
QString quotedIfNeeded(const QString& value) {
    const bool outerBlank = !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
    const bool enclosed =
        value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front();
    return outerBlank || enclosed ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

void endLine(QByteArray& out, const QByteArray& eol) {
    if (!out.isEmpty() && !isLineBreak(out.back()))
        out += eol;
}

} // namespace

IniFile IniFile::parse(const QByteArray& bytes) {
    IniFile ini;
    const qsizetype n = std::min<qsizetype>(bytes.size(), MaxFileSize);
    const QByteArrayView head = QByteArrayView(bytes).first(n);
    if (head.startsWith(kUtf16LittleMark) || head.startsWith(kUtf16BigMark)) {
        const bool bigEndian = head.startsWith(kUtf16BigMark);
        ini.m_encoding = bigEndian ? Encoding::Utf16BE : Encoding::Utf16LE;
        QByteArrayView units = head.sliced(2);
        if (units.size() % 2 != 0) {
            ini.m_oddByte = units.last(1).toByteArray();
            units.chop(1);
        }
        ini.m_text = narrowFromUtf16(units, bigEndian);
    } else {
        // Shares the caller's buffer: a file is held once.
        ini.m_text = n == bytes.size() ? bytes : bytes.first(n);
        ini.m_byteOrderMark = head.startsWith(kByteOrderMark);
        ini.m_begin = ini.m_byteOrderMark ? 3 : 0;
        const bool utf8 = isValidUtf8(QByteArrayView(ini.m_text).sliced(ini.m_begin));
        ini.m_encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    }
    const QByteArrayView text = QByteArrayView(ini.m_text).sliced(ini.m_begin);
    const qsizetype firstBreak = std::find_if(text.begin(), text.end(), isLineBreak) - text.begin();
    if (text.sliced(firstBreak).startsWith("\r\n"))
        ini.m_eol = "\r\n";
    ini.indexSections();
    return ini;
}

IniFile IniFile::load(const QString& path, LoadStatus* status) {
    LoadStatus st = LoadStatus::Ok;
    IniFile ini;
    QFile f;
    switch (OpenRegularFileForReading(f, path)) {
    case RegularFileOpen::Missing: st = LoadStatus::Missing; break;
    case RegularFileOpen::NotRegular:
    case RegularFileOpen::Failed:
        // Treated alike: a save must not replace what could not be read.
        st = LoadStatus::Unreadable;
        break;
    case RegularFileOpen::Opened: {
        if (f.size() > MaxFileSize)
            st = LoadStatus::TooLarge;
        // read(n) reserves n bytes up front: ask for no more than the file holds.
        const QByteArray bytes = f.read(std::min(f.size(), MaxFileSize));
        if (f.error() != QFileDevice::NoError)
            st = LoadStatus::Unreadable;
        ini = parse(bytes);
        break;
    }
    }
    if (status)
        *status = st;
    return ini;
}

QByteArrayView IniFile::lineAt(Line line) const {
    const bool added = line >= m_text.size();
    const QByteArrayView buffer = added ? QByteArrayView(m_added) : QByteArrayView(m_text);
    const QByteArrayView rest = buffer.sliced(added ? line - m_text.size() : line);
    return rest.first(std::find_if(rest.begin(), rest.end(), isLineBreak) - rest.begin());
}

QByteArrayView IniFile::currentLine(Line line) const {
    return lineAt(m_replaced.value(line, line));
}

// The start of the line after line, past any run of line breaks; the end of the file text
// when there is none.
IniFile::Line IniFile::nextLine(Line line) const {
    qsizetype at = line + lineAt(line).size();
    while (at < m_text.size() && isLineBreak(m_text[at]))
        ++at;
    return static_cast<Line>(at);
}

// Past the line break of line: one CR, LF or CR LF.
IniFile::Line IniFile::afterLineBreak(Line line) const {
    qsizetype at = line + lineAt(line).size();
    for (const char c : {'\r', '\n'}) {
        if (at < m_text.size() && m_text[at] == c)
            ++at;
    }
    return static_cast<Line>(at);
}

// Calls visit(line, trimmed text) for each line of the file from from on, while it says so.
template <typename Visit> void IniFile::forEachLine(Line from, const Visit& visit) const {
    qsizetype at = from;
    while (at < m_text.size() && isLineBreak(m_text[at]))
        ++at;
    while (at < m_text.size()) {
        const auto line = static_cast<Line>(at);
        if (!visit(line, trimmedBlanks(lineAt(line))))
            return;
        at = nextLine(line);
    }
}

void IniFile::indexSections() {
    const auto nameOf = [this](Line l) { return headerName(lineAt(l)); };
    forEachLine(static_cast<Line>(m_begin), [&](Line line, QByteArrayView t) {
        if (isHeader(t))
            m_sectionIndex.insert(line, nameOf);
        return true;
    });
}

IniFile::Section& IniFile::sectionAt(Line header) const {
    const auto [it, fresh] = m_sections.try_emplace(header);
    Section& s = it->second;
    if (!fresh)
        return s;
    s.insertAfter = header;
    if (header >= m_text.size())
        return s;
    const auto nameOf = [this](Line l) { return keyName(lineAt(l)); };
    forEachLine(nextLine(header), [&](Line line, QByteArrayView t) {
        if (isHeader(t))
            return false;
        if (isKey(t)) {
            s.insertAfter = line;
            s.keys.insert(line, nameOf);
        }
        return true;
    });
    return s;
}

// A name as this document's lines hold it; nothing when its encoding cannot hold it.
std::optional<QByteArray> IniFile::encodedName(const QString& name) const {
    const QString n = trimmedBlanks(QStringView(withoutLineBreaks(name))).toString();
    if (m_encoding == Encoding::Windows1252)
        return toWindows1252(n);
    return encode(n);
}

std::optional<IniFile::Line> IniFile::findSection(const QString& section) const {
    const std::optional<QByteArray> name = encodedName(section);
    if (!name)
        return std::nullopt;
    return m_sectionIndex.find(*name, [this](Line l) { return headerName(lineAt(l)); });
}

QString IniFile::decode(QByteArrayView bytes) const {
    switch (m_encoding) {
    case Encoding::Windows1252: return fromWindows1252(bytes);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return narrowToWide(bytes);
    case Encoding::Utf8: break;
    }
    return fromUtf8(bytes);
}

// Callers make sure first that the text fits the document's encoding.
QByteArray IniFile::encode(const QString& text) const {
    switch (m_encoding) {
    case Encoding::Windows1252: return toWindows1252(text).value_or(QByteArray());
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return wideToNarrow(text);
    case Encoding::Utf8: break;
    }
    return text.toUtf8();
}

QString IniFile::valueOfLine(QByteArrayView line) const {
    return decode(unquoted(trimmedBlanks(line.sliced(line.indexOf('=') + 1))));
}

bool IniFile::hasSection(const QString& section) const {
    return findSection(section).has_value();
}

QStringList IniFile::sectionNames() const {
    QStringList names;
    const auto nameOf = [this](Line l) { return headerName(lineAt(l)); };
    const auto add = [&](Line header) {
        if (m_sectionIndex.find(nameOf(header), nameOf) == header)
            names += decode(nameOf(header));
    };
    forEachLine(static_cast<Line>(m_begin), [&](Line line, QByteArrayView t) {
        if (isHeader(t))
            add(line);
        return true;
    });
    std::for_each(m_newSections.begin(), m_newSections.end(), add);
    return names;
}

QStringList IniFile::keyNames(const QString& section) const {
    QStringList names;
    const std::optional<Line> header = findSection(section);
    if (!header)
        return names;
    const Section& s = sectionAt(*header);
    const auto nameOf = [this](Line l) { return keyName(lineAt(l)); };
    const auto add = [&](Line line) { names += decode(keyName(currentLine(line))); };
    if (*header < m_text.size()) {
        forEachLine(nextLine(*header), [&](Line line, QByteArrayView t) {
            if (isHeader(t))
                return false;
            if (isKey(t) && s.keys.find(keyName(t), nameOf) == line)
                add(line);
            return true;
        });
    }
    std::for_each(s.added.begin(), s.added.end(), add);
    return names;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const std::optional<Line> header = findSection(section);
    const std::optional<QByteArray> name = encodedName(key);
    if (!header || !name)
        return std::nullopt;
    const std::optional<Line> line =
        sectionAt(*header).keys.find(*name, [this](Line l) { return keyName(lineAt(l)); });
    if (!line)
        return std::nullopt;
    return valueOfLine(currentLine(*line));
}

QString IniFile::StringOf(std::optional<QString> value, const QString& def) {
    QString v = value ? std::move(*value) : QString(def);
    if (v.size() > MaxValueLength) {
        v.truncate(MaxValueLength);
        if (v.back().isHighSurrogate())
            v.chop(1);
    }
    return v;
}

int IniFile::IntegerOf(const std::optional<QString>& value, int def) {
    return value ? ParseProfileInteger(*value, def) : def;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    return StringOf(value(section, key), def);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    return IntegerOf(value(section, key), def);
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::forEachValue(
    const QString& section,
    const std::function<void(QByteArrayView name, const QString& value)>& visit) const {
    const std::optional<Line> header = findSection(section);
    if (!header)
        return;
    const auto each = [&](Line line) {
        visit(keyName(lineAt(line)), valueOfLine(currentLine(line)));
    };
    if (*header < m_text.size()) {
        forEachLine(nextLine(*header), [&](Line line, QByteArrayView t) {
            if (isHeader(t))
                return false;
            if (isKey(t))
                each(line);
            return true;
        });
    }
    if (const auto s = m_sections.find(*header); s != m_sections.end())
        std::for_each(s->second.added.begin(), s->second.added.end(), each);
}

IniFile::Line IniFile::appendLine(const QByteArray& bytes) {
    const auto line = static_cast<Line>(m_text.size() + m_added.size());
    m_added += bytes;
    m_added += '\n';
    return line;
}

IniFile::Line IniFile::addSection(const QString& section) {
    const Line header = appendLine(encode(QLatin1Char('[') + section + QLatin1Char(']')));
    m_sectionIndex.insert(header, [this](Line l) { return headerName(lineAt(l)); });
    m_newSections.push_back(header);
    return header;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString v = withoutLineBreaks(value);
    // Unchanged: the line keeps its bytes, its quotes and its encoding.
    if (this->value(section, key) == v)
        return;
    const QString sectionName = withoutLineBreaks(section);
    const QString text = withoutLineBreaks(key) + QLatin1Char('=') + quotedIfNeeded(v);
    if (m_encoding == Encoding::Windows1252 &&
        (!toWindows1252(text) || !toWindows1252(sectionName)))
        rebuild(Encoding::Utf8);
    const std::optional<Line> found = findSection(sectionName);
    Section& s = sectionAt(found ? *found : addSection(sectionName));
    const Line line = appendLine(encode(text));
    const auto nameOf = [this](Line l) { return keyName(lineAt(l)); };
    if (const auto old = s.keys.find(keyName(lineAt(line)), nameOf)) {
        m_replaced.insert(*old, line);
    } else if (s.keys.insert(line, nameOf)) {
        s.added.push_back(line);
    }
    if (m_added.size() > m_text.size() / 2 + kAddedSlack)
        rebuild(m_encoding);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray IniFile::text() const {
    // Where the file's text changes: a key line written over, or new keys after a line.
    struct Edit {
        Line at;
        Line line;           // the line written over
        const Section* keys; // or the section whose new keys go here
    };
    std::vector<Edit> edits;
    for (auto it = m_replaced.cbegin(); it != m_replaced.cend(); ++it) {
        if (it.key() < m_text.size())
            edits.push_back({it.key(), it.key(), nullptr});
    }
    for (const auto& [header, s] : m_sections) {
        if (header < m_text.size() && !s.added.empty())
            edits.push_back({afterLineBreak(s.insertAfter), 0, &s});
    }
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    const auto addKeys = [this](QByteArray& out, const Section& s) {
        endLine(out, m_eol);
        for (const Line line : s.added) {
            out += currentLine(line);
            out += m_eol;
        }
    };
    QByteArray out;
    out.reserve(m_text.size() - m_begin + m_added.size());
    qsizetype at = m_begin;
    for (const Edit& e : edits) {
        out += QByteArrayView(m_text).sliced(at, e.at - at);
        at = e.at;
        if (e.keys) {
            addKeys(out, *e.keys);
            continue;
        }
        out += currentLine(e.line);
        at += lineAt(e.line).size();
    }
    out += QByteArrayView(m_text).sliced(at);
    for (const Line header : m_newSections) {
        endLine(out, m_eol);
        out += lineAt(header);
        out += m_eol;
        addKeys(out, m_sections.at(header));
    }
    return out;
}

void IniFile::rebuild(Encoding encoding) {
    QByteArray all = text();
    if (m_encoding == Encoding::Windows1252 && encoding == Encoding::Utf8)
        all = fromWindows1252(all).toUtf8();
    all.squeeze(); // the lines written over are gone
    m_text = std::move(all);
    m_begin = 0;
    m_added.clear();
    m_sectionIndex = NameIndex();
    m_sections.clear();
    m_newSections.clear();
    m_replaced.clear();
    m_encoding = encoding;
    indexSections();
}

QByteArray IniFile::toBytes() const {
    QByteArray out = text();
    switch (m_encoding) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool bigEndian = m_encoding == Encoding::Utf16BE;
        return (bigEndian ? kUtf16BigMark : kUtf16LittleMark) + utf16FromNarrow(out, bigEndian) +
               m_oddByte;
    }
    case Encoding::Windows1252:
        // Windows-1252 text that has become valid UTF-8 (its last other byte was written
        // over) would read back as UTF-8: such a document is written in UTF-8.
        if (isValidUtf8(out))
            out = fromWindows1252(out).toUtf8();
        break;
    case Encoding::Utf8: break;
    }
    if (m_byteOrderMark)
        out.prepend(kByteOrderMark);
    return out;
}

qsizetype IniFile::footprint() const {
    qsizetype bytes = m_text.capacity() + m_added.capacity() +
                      static_cast<qsizetype>(m_sectionIndex.bytes()) +
                      m_replaced.capacity() * qsizetype{2 * sizeof(Line)};
    for (const auto& [header, s] : m_sections)
        bytes += qsizetype{sizeof(Section)} + static_cast<qsizetype>(s.keys.bytes()) +
                 static_cast<qsizetype>(s.added.capacity() * sizeof(Line));
    return bytes;
}

bool IniFile::saveAs(const QString& path, bool keepOldAsBackup) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (keepOldAsBackup) {
        // Whatever the oversized file held stays beside the new one.
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        QFile::rename(path, backup);
    }
    return f.commit();
}
