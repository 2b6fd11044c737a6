// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as Hotkeys.ini: the table loaded from it, saved and loaded again into a
// fresh table, must come back the same, an empty table and key codes outside the key table
// included.
#include "FuzzCheck.h"
#include "core/HotkeyStore.h"
#include "core/HotkeyTable.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QString host() {
    return QStringLiteral("FUZZHOST");
}

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

QString describe(const HotkeyEntry& e) {
    return QStringList{e.Flags,
                       e.Key,
                       e.Execute,
                       e.ID,
                       e.Alt,
                       e.Ctrl,
                       e.Shift,
                       e.Win,
                       QString::number(e.Checked),
                       QString::number(e.Image)}
        .join(QLatin1Char('|'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = workDir().filePath(QStringLiteral("Hotkeys.ini"));
    {
        QFile f(path);
        const QByteArray bytes = fuzzBytes(data, size);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            fuzzFail("the input is written to the store's file");
    }
    HotkeyTable first;
    first.appendMany(DefaultHotkeyTable());
    HotkeyStore::Load(first, path, host);
    if (!HotkeyStore::Save(first, path))
        fuzzFail("a loaded table is saved");

    HotkeyTable second;
    second.appendMany(DefaultHotkeyTable());
    HotkeyStore::Load(second, path, host);

    const std::vector<HotkeyEntry>& expected = first.entries();
    if (static_cast<size_t>(second.count()) != expected.size())
        fuzzFail("entries after a save", QString::number(expected.size()),
                 QString::number(second.count()));
    for (int i = 0; i < second.count(); ++i) {
        const HotkeyEntry& want = expected[static_cast<size_t>(i)];
        if (second.at(i) != want)
            fuzzFail("an entry after a save", describe(want), describe(second.at(i)));
    }
    return 0;
}
