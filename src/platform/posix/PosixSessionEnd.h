#pragma once

#include "SessionEnd.h"

class QSocketNotifier;

// SIGTERM and SIGINT, turned into an event of the GUI thread through a socket pair (the
// handler itself may do nothing but write a byte).
class PosixSessionEnd : public SessionEnd {
public:
    PosixSessionEnd();
    ~PosixSessionEnd() override;

private:
    QSocketNotifier* m_notifier = nullptr;
};
