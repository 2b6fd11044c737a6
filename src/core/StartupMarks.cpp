// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StartupMarks.h"

#include "core/Logging.h"

#include <QElapsedTimer>

namespace {

// Started as the program's libraries are initialised, before main().
struct Clock {
    Clock() { timer.start(); }
    QElapsedTimer timer;
    qint64 last = 0;
};
Clock startClock;

} // namespace

namespace StartupMarks {

void Mark(const char* step) {
    if (!lcStartup().isDebugEnabled())
        return;
    const qint64 now = startClock.timer.nsecsElapsed();
    qCDebug(lcStartup, "%8.3f ms (+%7.3f) %s", static_cast<double>(now) / 1e6,
            static_cast<double>(now - startClock.last) / 1e6, step);
    startClock.last = now;
}

} // namespace StartupMarks
