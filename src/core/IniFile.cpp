#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <limits>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimmed(const QByteArray& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
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

QByteArray lowerName(const QString& name) {
    return name.toUtf8().trimmed().toLower();
}

// A value that would not read back as written (outer blanks, an enclosing pair of quotes)
// is wrapped in one more pair of double quotes, which the reader removes again.
QByteArray encodeValue(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QByteArray bytes = v.toUtf8();
    const bool outerBlank = !bytes.isEmpty() && (isBlank(bytes.front()) || isBlank(bytes.back()));
    if (outerBlank || unquoted(bytes).size() != bytes.size())
        bytes = '"' + bytes + '"';
    return bytes;
}

} // namespace

int ParseProfileInteger(const QString& text, int def) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i + 1 < s.size() && s[i] == QLatin1Char('0') &&
        (s[i + 1] == QLatin1Char('x') || s[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return def;
    quint64 magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = s[i].unicode() < 128 ? QChar(s[i]).digitValue() : -1;
        int d = digit;
        if (base == 16 && d < 0) {
            const char c = static_cast<char>(s[i].toLower().unicode());
            d = (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        }
        if (d < 0 || d >= base)
            return def;
        magnitude = magnitude * static_cast<quint64>(base) + static_cast<quint64>(d);
        if (magnitude > 0xFFFFFFFFull)
            return def;
    }
    qint64 result;
    if (base == 16) {
        // Hexadecimal covers the whole 32-bit pattern, so 0xFFFFFFFF is -1.
        result = static_cast<qint32>(static_cast<quint32>(magnitude));
    } else {
        result = static_cast<qint64>(magnitude);
        if (result > static_cast<qint64>(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
            return def;
    }
    return static_cast<int>(negative ? -result : result);
}

IniFile IniFile::parse(const QByteArray& bytes) {
    IniFile ini;
    ini.m_sections.emplace_back(); // the preamble
    int lastKey = -1;
    bool eolKnown = false;

    auto addLine = [&](QByteArray line) {
        const QByteArray t = trimmed(line);
        if (t.startsWith('[')) {
            finishSection(ini.m_sections.back(), lastKey);
            lastKey = -1;
            Section s;
            s.header = std::move(line);
            const QByteArray lname = sectionNameOf(t).toLower();
            if (!ini.m_sectionIndex.contains(lname))
                ini.m_sectionIndex.insert(lname, static_cast<int>(ini.m_sections.size()));
            ini.m_sections.push_back(std::move(s));
            return;
        }
        Section& s = ini.m_sections.back();
        const qsizetype eq = t.indexOf('=');
        if (!t.startsWith(';') && eq >= 0 && ini.m_sections.size() > 1) {
            lastKey = static_cast<int>(s.body.size());
            const QByteArray lname = trimmed(t.left(eq)).toLower();
            if (!s.keys.contains(lname))
                s.keys.insert(lname, lastKey);
        }
        s.body.push_back(std::move(line));
    };

    qsizetype start = 0;
    const qsizetype n = std::min<qsizetype>(bytes.size(), MaxFileSize);
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const bool crlf = c == '\r' && i + 1 < n && bytes[i + 1] == '\n';
        if (!eolKnown) {
            ini.m_eol = crlf ? QByteArray("\r\n") : QByteArray("\n");
            eolKnown = true;
        }
        addLine(bytes.mid(start, i - start));
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < n)
        addLine(bytes.mid(start, n - start));
    finishSection(ini.m_sections.back(), lastKey);
    return ini;
}

void IniFile::finishSection(Section& s, int lastKey) {
    const auto firstTail = s.body.begin() + (lastKey + 1);
    s.tail.assign(std::make_move_iterator(firstTail), std::make_move_iterator(s.body.end()));
    s.body.erase(firstTail, s.body.end());
}

IniFile IniFile::load(const QString& path, LoadStatus* status) {
    LoadStatus st = LoadStatus::Ok;
    IniFile ini;
    QFile f(path);
    if (!f.exists()) {
        st = LoadStatus::Missing;
    } else if (!f.open(QIODevice::ReadOnly)) {
        st = LoadStatus::Unreadable;
    } else {
        if (f.size() > MaxFileSize)
            st = LoadStatus::TooLarge;
        // read(n) reserves n bytes up front: ask for no more than the file holds.
        const QByteArray bytes = f.read(std::min(f.size(), MaxFileSize));
        if (f.error() != QFileDevice::NoError)
            st = LoadStatus::Unreadable;
        ini = parse(bytes);
    }
    if (ini.m_sections.empty())
        ini.m_sections.emplace_back();
    if (status)
        *status = st;
    return ini;
}

const IniFile::Section* IniFile::findSection(const QString& section) const {
    const auto it = m_sectionIndex.constFind(lowerName(section));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[static_cast<size_t>(*it)];
}

bool IniFile::hasSection(const QString& section) const {
    return findSection(section) != nullptr;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keys.constFind(lowerName(key));
    if (it == s->keys.constEnd())
        return std::nullopt;
    const QByteArray& line = s->body[static_cast<size_t>(*it)];
    const QByteArray raw = trimmed(line.mid(line.indexOf('=') + 1));
    return QString::fromUtf8(unquoted(raw));
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
    const QByteArray line = key.toUtf8() + '=' + encodeValue(value);
    const QByteArray lsection = lowerName(section);
    auto sit = m_sectionIndex.constFind(lsection);
    if (sit == m_sectionIndex.constEnd()) {
        Section s;
        s.header = '[' + section.toUtf8() + ']';
        sit = m_sectionIndex.insert(lsection, static_cast<int>(m_sections.size()));
        m_sections.push_back(std::move(s));
    }
    Section& s = m_sections[static_cast<size_t>(*sit)];
    const QByteArray lkey = lowerName(key);
    if (const auto kit = s.keys.constFind(lkey); kit != s.keys.constEnd()) {
        s.body[static_cast<size_t>(*kit)] = line;
        return;
    }
    s.keys.insert(lkey, static_cast<int>(s.body.size()));
    s.body.push_back(line);
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
