// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <memory>

// Reports that Orvane must end so that it can run its Exit command and lose nothing: the
// session or a service manager asks it to (SIGTERM, SIGINT, SIGHUP), or the process is
// already ending without its event loop (the display connection broke and the GUI layer
// calls exit()).
class SessionEnd : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SessionEnd() override = default;

signals:
    // Delivered from the event loop.
    void endRequested();
    // Delivered synchronously while the process ends: the receiver must save at once,
    // without touching windows or the display, and must not count on returning to the
    // event loop.
    void endingNow();
};

std::unique_ptr<SessionEnd> CreateSessionEnd();
