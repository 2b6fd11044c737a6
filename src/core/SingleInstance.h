#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running Orvane per user: a lock file that a crashed owner does not leave blocking,
// and a local socket over which a later start asks the running one to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name names both the lock and the socket; they live in directory.
    SingleInstance(const QString& name, const QString& directory, QObject* parent = nullptr);
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);

    // True when this process is the first instance; it then listens for later starts.
    bool claim();
    // From a later start: asks the first instance to raise its main window. True when the
    // request was delivered.
    bool askFirstToRaise();

signals:
    void raiseRequested();

private:
    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
