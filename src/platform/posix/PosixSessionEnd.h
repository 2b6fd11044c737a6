// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SessionEnd.h"

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP, turned into an event of the GUI thread through a socket pair
// (the handler itself may do nothing but write a byte), and an exit() that bypasses the
// event loop, reported from an atexit handler.
class PosixSessionEnd : public SessionEnd {
public:
    PosixSessionEnd();
    ~PosixSessionEnd() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};
