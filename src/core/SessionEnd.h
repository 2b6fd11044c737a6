#pragma once

#include <QObject>
#include <memory>

// Reports that the session or a service manager asks Orvane to end (SIGTERM, SIGINT), so
// that it can run its Exit command and lose nothing.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SessionEnd() override = default;

signals:
    void endRequested();
};

std::unique_ptr<SessionEnd> CreateSessionEnd();
