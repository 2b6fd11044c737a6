// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the two start-up steps that grow with the table: loading Hotkeys.ini and the
// registration pass on a real X server. Run under an X display (bench/run-hotkey-bench.py
// starts Xvfb for it).
#include "core/HotkeyRegistration.h"
#include "core/HotkeyStore.h"
#include "core/HotkeyTable.h"
#include "platform/HotkeyBackend.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s HOTKEYS_INI [RUNS]\n", argv[0]);
        return 2;
    }
    const QString& ini = args.at(1);
    const int runs = args.size() > 2 ? args.at(2).toInt() : 20;
    std::vector<double> load, reg;
    int entries = 0, registered = 0;
    for (int i = 0; i < runs; ++i) {
        HotkeyTable table;
        std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
        QElapsedTimer t;
        t.start();
        HotkeyStore::Load(table, ini, [] { return QString(); });
        load.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        HotkeyRegistration::RegistrationPass(table, *backend);
        reg.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        entries = table.count();
        registered =
            static_cast<int>(std::count_if(table.entries().begin(), table.entries().end(),
                                           [](const HotkeyEntry& e) { return e.Checked; }));
    }
    std::sort(load.begin(), load.end());
    std::sort(reg.begin(), reg.end());
    std::printf("entries %d\nregistered %d\nload_ms %.3f\nregister_ms %.3f\n", entries, registered,
                load[load.size() / 2], reg[reg.size() / 2]);
    return 0;
}
