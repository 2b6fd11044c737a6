// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniText.h"

#include <QStringDecoder>
#include <algorithm>
#include <iterator>
#include <limits>

namespace {

constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Only blanks and tabs, as the profile reader trims; not form feeds or Unicode spaces.
QStringView trimmedBlanks(QStringView s) {
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (!s.isEmpty() && blank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && blank(s.back()))
        s.chop(1);
    return s;
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

void appendCodePoint(QByteArray& out, char32_t cp) {
    const auto byte = [](char32_t b) { return static_cast<char>(b); };
    if (cp < 0x80) {
        out += byte(cp);
    } else if (cp < 0x800) {
        out += byte(0xC0 | (cp >> 6));
        out += byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += byte(0xE0 | (cp >> 12));
        out += byte(0x80 | ((cp >> 6) & 0x3F));
        out += byte(0x80 | (cp & 0x3F));
    } else {
        out += byte(0xF0 | (cp >> 18));
        out += byte(0x80 | ((cp >> 12) & 0x3F));
        out += byte(0x80 | ((cp >> 6) & 0x3F));
        out += byte(0x80 | (cp & 0x3F));
    }
}

// unitAt(i) gives the i-th of n UTF-16 code units.
template <typename UnitAt> QByteArray narrowFromUnits(qsizetype n, const UnitAt& unitAt) {
    QByteArray out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = unitAt(i);
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(unitAt(i + 1))) {
            appendCodePoint(out, QChar::surrogateToUcs4(u, unitAt(i + 1)));
            ++i;
        } else {
            appendCodePoint(out, u);
        }
    }
    return out;
}

// Calls put with each UTF-16 code unit of the narrow form. A stray byte, which the narrow
// form never holds, stands for itself.
template <typename Put> void unitsFromNarrow(QByteArrayView narrow, const Put& put) {
    const qsizetype n = narrow.size();
    for (qsizetype i = 0; i < n;) {
        const auto lead = static_cast<unsigned char>(narrow[i]);
        const qsizetype length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (length == 1 || i + length > n) {
            put(char16_t{lead});
            ++i;
            continue;
        }
        char32_t cp = lead & (0x7F >> length);
        for (qsizetype k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(narrow[i + k]) & 0x3F);
        if (cp >= 0x10000) {
            put(QChar::highSurrogate(cp));
            put(QChar::lowSurrogate(cp));
        } else {
            put(static_cast<char16_t>(cp));
        }
        i += length;
    }
}

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

} // namespace

int ParseProfileInteger(const QString& text, int def) {
    // Only blanks and tabs: a form feed or a Unicode space makes the text no number.
    QStringView s = trimmedBlanks(QStringView(text));
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

namespace IniText {

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t{b});
    }
    return text;
}

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

QString fromUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// In pieces that end after an ASCII byte, which no valid sequence spans, so that checking a
// large file needs no text of its whole size.
bool isValidUtf8(QByteArrayView bytes) {
    constexpr qsizetype kPiece = qsizetype{64} * 1024;
    while (!bytes.isEmpty()) {
        qsizetype end = std::min(kPiece, bytes.size());
        while (end < bytes.size() && (bytes[end - 1] & 0x80) != 0)
            ++end;
        const QByteArrayView piece = bytes.first(end);
        if (!isAscii(piece)) {
            QStringDecoder decoder(QStringConverter::Utf8,
                                   QStringConverter::Flag::Stateless |
                                       QStringConverter::Flag::ConvertInitialBom);
            // decode() converts only when its result becomes a QString.
            const QString text = decoder.decode(piece);
            if (decoder.hasError())
                return false;
        }
        bytes = bytes.sliced(end);
    }
    return true;
}

QByteArray wideToNarrow(QStringView text) {
    return narrowFromUnits(text.size(), [text](qsizetype i) { return text[i].unicode(); });
}

QString narrowToWide(QByteArrayView narrow) {
    QString text;
    text.reserve(narrow.size());
    unitsFromNarrow(narrow, [&text](char16_t u) { text += QChar(u); });
    return text;
}

QByteArray narrowFromUtf16(QByteArrayView bytes, bool bigEndian) {
    const int high = bigEndian ? 0 : 1;
    return narrowFromUnits(bytes.size() / 2, [bytes, high](qsizetype i) {
        const auto hi = static_cast<unsigned char>(bytes[2 * i + high]);
        const auto lo = static_cast<unsigned char>(bytes[2 * i + 1 - high]);
        return static_cast<char16_t>((hi << 8) | lo);
    });
}

QByteArray utf16FromNarrow(QByteArrayView narrow, bool bigEndian) {
    QByteArray out;
    out.reserve(2 * narrow.size());
    unitsFromNarrow(narrow, [&out, bigEndian](char16_t u) {
        const auto hi = static_cast<char>(u >> 8);
        const auto lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    });
    return out;
}

} // namespace IniText
