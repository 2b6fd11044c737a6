// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// A lock the system keeps for its owner and drops when the owner ends, however it ends: a
// crash or a power loss never leaves it blocking, whatever the file holds afterwards. The
// file itself stays; only a live holder counts, never its content.
class InstanceLock {
public:
    enum class Outcome {
        Taken,  // this process holds the lock until it is destroyed or ends
        Held,   // a live process holds it
        Failed, // the file cannot be opened or locked; see problem()
    };

    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Outcome take();
    // When held by another: the process it names (0 while the owner has not written it yet).
    qint64 ownerPid() const { return m_ownerPid; }
    QString problem() const { return m_problem; }

private:
    QString m_path;
    qintptr m_handle = -1;
    qint64 m_ownerPid = 0;
    QString m_problem;
};
