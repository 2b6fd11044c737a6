#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property ends the run with what was expected and what was found, so that the
// fuzzer keeps the input as a crash.
inline void fuzzCheck(bool ok, const char* what, const QString& expected = {},
                      const QString& found = {}) {
    if (ok)
        return;
    std::fprintf(stderr, "property broken: %s\n  expected: %s\n  found:    %s\n", what,
                 expected.toUtf8().toHex(' ').constData(), found.toUtf8().toHex(' ').constData());
    std::abort();
}

inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
