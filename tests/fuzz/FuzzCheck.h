// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Text with every character outside printable ASCII as \u{...}, so that a report shows
// blanks, line breaks and encodings exactly.
inline QByteArray fuzzShow(const QString& text) {
    QByteArray out;
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c < 0x7F && c != '\\')
            out += static_cast<char>(c);
        else
            out += "\\u{" + QByteArray::number(static_cast<uint>(c), 16) + '}';
    }
    return out;
}

// A broken property ends the run with what was expected and what was found, so that the
// fuzzer keeps the input as a crash. Called only once a check failed, so that the texts cost
// nothing on the way that passes.
[[noreturn]] inline void fuzzFail(const char* what, const QString& expected = {},
                                  const QString& found = {}) {
    std::fprintf(stderr, "property broken: %s\n  expected: \"%s\"\n  found:    \"%s\"\n", what,
                 fuzzShow(expected).constData(), fuzzShow(found).constData());
    std::abort();
}

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
