// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QSocketNotifier;

// A local socket that only this user reaches, carrying short lines of text: the running
// Orvane listens, a later start connects, sends a line and may wait for one back. Lines end
// with '\n'; the system's own local sockets carry them, so any local-socket client speaks it.
class LocalListener : public QObject {
    Q_OBJECT
public:
    // A client that sends more than maxLine bytes without a line end is cut off.
    explicit LocalListener(qsizetype maxLine, QObject* parent = nullptr);
    ~LocalListener() override;
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;

    // Listens at path; a socket an earlier run left there is replaced. False, with
    // errorString(), when it cannot.
    bool listen(const QString& path);
    QString errorString() const { return m_error; }
    // Answers the client a line came from; nothing happens once it has gone.
    void reply(quintptr client, const QByteArray& line);

signals:
    // One line from a client, with its line end; client names it for reply().
    void lineReceived(quintptr client, const QByteArray& line);

private:
    struct Client;
    void accept();
    void read(quintptr client);
    void drop(quintptr client);

    qsizetype m_maxLine;
    qintptr m_fd = -1;
    QString m_path;
    QString m_error;
    QSocketNotifier* m_accepting = nullptr;
    QHash<quintptr, std::shared_ptr<Client>> m_clients;
};

// From a later start: connects to path and sends line. With an answer asked for, waits up to
// answerMs for one line back and returns it; without, returns an empty line once sent.
// Nothing when no one listens there, or when the line or the answer did not get through.
std::optional<QByteArray> LocalExchange(const QString& path, const QByteArray& line,
                                        bool wantAnswer, int answerMs, qsizetype maxAnswer);
