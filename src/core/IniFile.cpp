// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "RegularFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Only blanks and tabs, as the profile reader trims; not form feeds or Unicode spaces.
template <typename View> View trimmedBlanks(View s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

QStringView trimmedText(QStringView s) {
    return trimmedBlanks(s);
}

QByteArray trimmed(const QByteArray& s) {
    return trimmedBlanks(QByteArrayView(s)).toByteArray();
}

QByteArray unquoted(const QByteArray& s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.mid(1, s.size() - 2);
    return s;
}

// Section name of a header line: from the first '[' to the last ']', or to the line end.
QByteArray sectionNameOf(const QByteArray& trimmedLine) {
    const qsizetype close = trimmedLine.lastIndexOf(']');
    const QByteArray inner = close > 0 ? trimmedLine.mid(1, close - 1) : trimmedLine.mid(1);
    return trimmed(inner);
}

// Lookup key of a name: its UTF-8 bytes, blanks and tabs trimmed, ASCII letters lowered.
QByteArray lowerName(const QString& name) {
    return trimmed(name.toUtf8()).toLower();
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// Windows-1252 0x80..0x9F. The five bytes it leaves undefined stand for the C1 controls of
// the same number, so that every byte reads back as itself.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t{b});
    }
    return text;
}

// Nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
            continue;
        }
        const auto* const at =
            std::find(std::begin(kWindows1252High), std::end(kWindows1252High), u);
        if (at == std::end(kWindows1252High))
            return std::nullopt;
        *out++ = static_cast<char>(0x80 + (at - std::begin(kWindows1252High)));
    }
    return bytes;
}

// A byte-order mark inside the text is a character like any other; only the file's leading
// one is set aside, by the parser.
QString fromUtf8(QByteArrayView bytes, bool* valid = nullptr) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

bool isValidUtf8(QByteArrayView bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        return true;
    bool valid = false;
    fromUtf8(bytes, &valid);
    return valid;
}

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

} // namespace

namespace {

// The value of c as a digit of base, or -1.
int digitValue(QChar c, int base) {
    int d = c.unicode() < 128 ? c.digitValue() : -1;
    if (base == 16 && d < 0) {
        const char lower = static_cast<char>(c.toLower().unicode());
        d = (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
    }
    return d < base ? d : -1;
}

// The digits as a number of at most 32 bits, or nothing when they are not all digits.
std::optional<quint64> magnitudeOf(QStringView digits, int base) {
    if (digits.isEmpty())
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * static_cast<quint64>(base) + static_cast<quint64>(d);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return magnitude;
}

// The lines of bytes[from, n), each without its line end; eol becomes the first line end.
std::vector<QByteArray> splitLines(const QByteArray& bytes, qsizetype from, qsizetype n,
                                   QByteArray& eol) {
    std::vector<QByteArray> lines;
    bool eolKnown = false;
    qsizetype start = from;
    for (qsizetype i = from; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const bool crlf = c == '\r' && i + 1 < n && bytes[i + 1] == '\n';
        if (!eolKnown) {
            eol = crlf ? QByteArray("\r\n") : QByteArray("\n");
            eolKnown = true;
        }
        lines.push_back(bytes.mid(start, i - start));
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.push_back(bytes.mid(start, n - start));
    return lines;
}

} // namespace

int ParseProfileInteger(const QString& text, int def) {
    // Only blanks and tabs: a form feed or a Unicode space makes the text no number.
    QStringView s = trimmedText(text);
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative || s.startsWith(QLatin1Char('+')))
        s = s.mid(1);
    const bool hex = s.startsWith(QLatin1String("0x")) || s.startsWith(QLatin1String("0X"));
    const std::optional<quint64> magnitude = magnitudeOf(hex ? s.mid(2) : s, hex ? 16 : 10);
    if (!magnitude)
        return def;
    qint64 result;
    if (hex) {
        // Hexadecimal covers the whole 32-bit pattern, so 0xFFFFFFFF is -1.
        result = static_cast<qint32>(static_cast<quint32>(*magnitude));
    } else {
        result = static_cast<qint64>(*magnitude);
        if (result > static_cast<qint64>(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
            return def;
    }
    return static_cast<int>(negative ? -result : result);
}

IniFile IniFile::parse(const QByteArray& bytes) {
    IniFile ini;
    const qsizetype n = std::min<qsizetype>(bytes.size(), MaxFileSize);
    qsizetype start = 0;
    if (QByteArrayView(bytes).first(n).startsWith(kByteOrderMark)) {
        ini.m_byteOrderMark = true;
        start = 3;
    }
    // The encoding is known only after every line has been seen.
    std::vector<QByteArray> lines = splitLines(bytes, start, n, ini.m_eol);
    const bool utf8 = std::all_of(lines.begin(), lines.end(), isValidUtf8);
    ini.m_encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    ini.addLines(lines);
    return ini;
}

void IniFile::addLines(std::vector<QByteArray>& lines) {
    m_sections.emplace_back(); // the preamble
    int lastKey = -1;
    for (QByteArray& line : lines) {
        const QByteArray t = trimmed(line);
        if (t.startsWith('[')) {
            finishSection(m_sections.back(), lastKey);
            lastKey = -1;
            Section s;
            s.header = std::move(line);
            const QByteArray lname = nameKey(sectionNameOf(t));
            if (!m_sectionIndex.contains(lname))
                m_sectionIndex.insert(lname, static_cast<int>(m_sections.size()));
            m_sections.push_back(std::move(s));
            continue;
        }
        Section& s = m_sections.back();
        const qsizetype eq = t.indexOf('=');
        if (!t.startsWith(';') && eq >= 0 && m_sections.size() > 1) {
            lastKey = static_cast<int>(s.body.size());
            const QByteArray lname = nameKey(trimmed(t.left(eq)));
            if (!s.keys.contains(lname))
                s.keys.insert(lname, lastKey);
        }
        s.body.push_back(std::move(line));
    }
    finishSection(m_sections.back(), lastKey);
}

void IniFile::finishSection(Section& s, int lastKey) {
    const auto firstTail = s.body.begin() + (lastKey + 1);
    s.tail.assign(std::make_move_iterator(firstTail), std::make_move_iterator(s.body.end()));
    s.body.erase(firstTail, s.body.end());
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
    if (ini.m_sections.empty())
        ini.m_sections.emplace_back();
    if (status)
        *status = st;
    return ini;
}

QString IniFile::decode(QByteArrayView bytes) const {
    return m_encoding == Encoding::Utf8 ? fromUtf8(bytes) : fromWindows1252(bytes);
}

// Callers make sure first that the text fits the document's encoding.
QByteArray IniFile::encode(const QString& text) const {
    return m_encoding == Encoding::Utf8 ? text.toUtf8()
                                        : toWindows1252(text).value_or(QByteArray());
}

// Names are looked up by their UTF-8 form whatever the file's encoding, so that the index
// stays valid when the document turns into UTF-8.
QByteArray IniFile::nameKey(const QByteArray& rawName) const {
    return (m_encoding == Encoding::Utf8 ? rawName : decode(rawName).toUtf8()).toLower();
}

QString IniFile::valueOfLine(const QByteArray& line) const {
    return decode(unquoted(trimmed(line.mid(line.indexOf('=') + 1))));
}

void IniFile::transcodeToUtf8() {
    if (m_encoding == Encoding::Utf8)
        return;
    const auto recode = [this](QByteArray& line) { line = decode(line).toUtf8(); };
    for (Section& s : m_sections) {
        recode(s.header);
        std::for_each(s.body.begin(), s.body.end(), recode);
        std::for_each(s.tail.begin(), s.tail.end(), recode);
    }
    m_encoding = Encoding::Utf8;
}

const IniFile::Section* IniFile::findSection(const QString& section) const {
    const auto it = m_sectionIndex.constFind(lowerName(section));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[static_cast<size_t>(*it)];
}

bool IniFile::hasSection(const QString& section) const {
    return findSection(section) != nullptr;
}

QStringList IniFile::sectionNames() const {
    std::vector<int> indexes(m_sectionIndex.cbegin(), m_sectionIndex.cend());
    std::sort(indexes.begin(), indexes.end());
    QStringList names;
    for (const int i : indexes)
        names += decode(sectionNameOf(trimmed(m_sections[static_cast<size_t>(i)].header)));
    return names;
}

QStringList IniFile::keyNames(const QString& section) const {
    QStringList names;
    const Section* s = findSection(section);
    if (!s)
        return names;
    std::vector<int> rows(s->keys.cbegin(), s->keys.cend());
    std::sort(rows.begin(), rows.end());
    for (const int row : rows) {
        const QByteArray t = trimmed(s->body[static_cast<size_t>(row)]);
        names += decode(trimmed(t.left(t.indexOf('='))));
    }
    return names;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keys.constFind(lowerName(key));
    if (it == s->keys.constEnd())
        return std::nullopt;
    return valueOfLine(s->body[static_cast<size_t>(*it)]);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    QString v = value(section, key).value_or(def);
    if (v.size() > MaxValueLength) {
        v.truncate(MaxValueLength);
        if (v.back().isHighSurrogate())
            v.chop(1);
    }
    return v;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    const auto v = value(section, key);
    return v ? ParseProfileInteger(*v, def) : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString v = withoutLineBreaks(value);
    const QByteArray lsection = lowerName(section);
    const QByteArray lkey = lowerName(key);
    auto sit = m_sectionIndex.constFind(lsection);
    if (sit != m_sectionIndex.constEnd()) {
        const Section& s = m_sections[static_cast<size_t>(*sit)];
        const auto kit = s.keys.constFind(lkey);
        // Unchanged: the line keeps its bytes, its quotes and its encoding.
        if (kit != s.keys.constEnd() && valueOfLine(s.body[static_cast<size_t>(*kit)]) == v)
            return;
    }
    const QString text = key + QLatin1Char('=') + quotedIfNeeded(v);
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    const bool newSection = sit == m_sectionIndex.constEnd();
    if (m_encoding == Encoding::Windows1252 &&
        (!toWindows1252(text) || (newSection && !toWindows1252(header))))
        transcodeToUtf8();
    if (newSection) {
        Section s;
        s.header = encode(header);
        sit = m_sectionIndex.insert(lsection, static_cast<int>(m_sections.size()));
        m_sections.push_back(std::move(s));
    }
    Section& s = m_sections[static_cast<size_t>(*sit)];
    QByteArray line = encode(text);
    if (const auto kit = s.keys.constFind(lkey); kit != s.keys.constEnd()) {
        s.body[static_cast<size_t>(*kit)] = std::move(line);
        return;
    }
    s.keys.insert(lkey, static_cast<int>(s.body.size()));
    s.body.push_back(std::move(line));
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    for (const Section& s : m_sections) {
        if (!s.header.isEmpty())
            out += s.header + m_eol;
        for (const QByteArray& l : s.body)
            out += l + m_eol;
        for (const QByteArray& l : s.tail)
            out += l + m_eol;
    }
    // Windows-1252 text that has become valid UTF-8 (its last other byte was written over)
    // would read back as UTF-8: such a document is written in UTF-8.
    if (m_encoding == Encoding::Windows1252 && isValidUtf8(out))
        out = fromWindows1252(out).toUtf8();
    if (m_byteOrderMark)
        out.prepend(kByteOrderMark);
    return out;
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
